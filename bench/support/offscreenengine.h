#pragma once

#include <QCoreApplication>

#include <unistd.h>

// The browser engine offscreen and quiet, as the window tests run it; as root, without the
// sandbox Chromium refuses to start with. Called before the application is made.
inline void PrepareOffscreenEngine() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext.info=false");
    if (::geteuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) {
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking");
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}
