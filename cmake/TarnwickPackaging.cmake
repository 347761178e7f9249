# The Debian package: `cpack` in the build folder (scripts/package.sh) writes
# packages/tarnwick_<version>_<arch>.deb from the install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VENDOR "Brisvane Software")
set(CPACK_PACKAGE_CONTACT "Brisvane Software <support@brisvanesoftware.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "collects company contact records from LinkedIn's company search")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarnwick reads LinkedIn's company search results in its own browser pane, completes each company
from its LinkedIn page, optionally from the Google Places web service and the company's web site,
and exports the rows as delimited text.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# A package carries no debugging information; the build folder keeps it.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.brisvanesoftware.com")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps names the libraries the program links (Qt and its WebEngine, libcurl4); these
# are what it loads or starts without linking them: the SVG plug-ins for its icon, the X11
# platform plug-in, xdg-open for links and Qt's own texts, so standard buttons and dialogs
# speak the user's language. The spreadsheet writer is named as well, so a package built where
# dpkg-shlibdeps cannot resolve it still asks for it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins, xdg-utils, qt6-translations-l10n, libxlsxwriter4")
# Wayland sessions.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

# A package holds what was built: cpack does not build the tests and benchmarks first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
