#include "core/updates/updatecheck.h"

#include "core/app/appcontext.h"
#include "core/app/dialogs.h"
#include "core/app/version.h"
#include "core/host/host.h"
#include "core/net/fetcher.h"
#include "core/updates/updatefile.h"

#include <QFileInfo>

#include <utility>

UpdateCheck::UpdateCheck(AppContext &context, Fetcher &fetcher, QString executableFolder,
                         std::function<void()> closeWindow)
    : m_context(context), m_fetcher(fetcher), m_executableFolder(std::move(executableFolder)),
      m_closeWindow(std::move(closeWindow)) {}

void UpdateCheck::DownloadApplicationUpdates(bool Silent) {
    const QString baseUrl = m_context.endpoints.updateBaseUrl;
    QString reply;
    if (!m_fetcher.DirectDownloadURL(baseUrl + u"mainappupdate.inf", reply, false)) {
        return;
    }
    const std::optional<QString> newest = NewestVersionText(reply);
    if (!newest) {
        return;
    }
    Dialogs &dialogs = m_context.dialogs;
    const UiTexts &texts = m_context.texts;
    if (!IsNewerVersion(*newest, ProgramVersion)) {
        if (!Silent) {
            dialogs.showMessage(Dialogs::Icon::Information, texts.text(QStringLiteral("main61")));
        }
        return;
    }
    if (!dialogs.confirm(Dialogs::Icon::Information, texts.format(QStringLiteral("main58"), *newest))) {
        return;
    }
    const QFileInfo updater(m_executableFolder + u'/' + UpdaterProgramName);
    if (!updater.isFile() || !updater.isExecutable()) {
        dialogs.showMessage(Dialogs::Icon::Warning, texts.text(QStringLiteral("main60")));
        return;
    }
    if (!dialogs.confirm(Dialogs::Icon::Information, texts.text(QStringLiteral("main59")))) {
        return;
    }
    // Each value is one argument of its own; no shell reads them.
    m_context.host.startProgram(updater.absoluteFilePath(), {baseUrl, ProgramVersion, QStringLiteral("A")});
    if (m_closeWindow) {
        m_closeWindow();
    }
}
