#pragma once

#include <QTemporaryDir>

#include <memory>

// Keeps a normal start silent on the console. The browser engine reports routine conditions
// (its settings, the sandbox switched off for root, software rendering without OpenGL), Chromium
// logs its own notes and Qt warns about a missing runtime folder: none of that is a fault. Made
// before the application object, because the engine reads its switches from the environment;
// --verbose skips it. Real warnings still reach the console.
class QuietStart {
public:
    QuietStart();
    ~QuietStart();
    QuietStart(const QuietStart &) = delete;
    QuietStart &operator=(const QuietStart &) = delete;

private:
    // A private runtime folder when the session names none; removed when the program ends.
    std::unique_ptr<QTemporaryDir> m_runtimeFolder;
};
