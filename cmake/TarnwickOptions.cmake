# Compile options shared by every target of the project.
add_library(tarnwick_options INTERFACE)
target_compile_features(tarnwick_options INTERFACE cxx_std_20)
target_compile_options(tarnwick_options INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(tarnwick_options INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_USE_QSTRINGBUILDER
  QT_NO_KEYWORDS)
if(TARNWICK_WERROR)
  target_compile_options(tarnwick_options INTERFACE -Werror)
endif()
if(TARNWICK_SANITIZE)
  target_compile_options(tarnwick_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                    -fno-sanitize-recover=undefined)
  target_link_options(tarnwick_options INTERFACE -fsanitize=address,undefined)
  # clang 14 cannot emit the function-type check's prologue for the split parts of a coroutine
  # ("Cannot represent a difference across sections"); the check concerns calls through C
  # function pointers, which the coroutines do not make.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(tarnwick_options INTERFACE -fno-sanitize=function)
  endif()
endif()
