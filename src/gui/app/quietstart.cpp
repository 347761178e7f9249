#include "gui/app/quietstart.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLatin1StringView>
#include <QLoggingCategory>
#include <QtGlobal>

namespace {

// Messages of the browser engine that report routine conditions, compared without the blanks
// around them: the sandbox that main() switches off for root, and the fall-back to software
// rendering where no OpenGL context can be had.
const QLatin1StringView EngineChatter[] = {
    QLatin1StringView("Sandboxing disabled by user."),
    QLatin1StringView("WebEngineContext used before QtWebEngineCore::initialize() or OpenGL context creation failed."),
    QLatin1StringView("No suitable graphics backend found"),
};

QtMessageHandler previousHandler = nullptr;

void DropEngineChatter(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (type == QtInfoMsg || type == QtWarningMsg) {
        const QString text = message.trimmed();
        for (const QLatin1StringView chatter : EngineChatter) {
            if (text == chatter) {
                return;
            }
        }
    }
    previousHandler(type, context, message);
}

} // namespace

QuietStart::QuietStart() {
    // The engine prints its settings at start-up as information. Rules of the API come before
    // the user's QT_LOGGING_RULES, so theirs still decide.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    // Chromium's own log: fatal errors only, unless the user chose a level.
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--log-level")) {
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                flags.isEmpty() ? QByteArray("--log-level=3") : QByteArray(flags + " --log-level=3"));
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // QTemporaryDir creates the folder readable by its owner alone, as the variable requires.
        m_runtimeFolder =
            std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tarnwick-runtime-XXXXXX"));
        if (m_runtimeFolder->isValid()) {
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtimeFolder->path()));
        }
    }
    previousHandler = qInstallMessageHandler(DropEngineChatter);
}

QuietStart::~QuietStart() {
    qInstallMessageHandler(previousHandler);
}
