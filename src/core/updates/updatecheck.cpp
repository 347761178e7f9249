#include "core/updates/updatecheck.h"

#include "core/app/dialogs.h"
#include "core/app/endpoints.h"
#include "core/app/version.h"
#include "core/host/host.h"
#include "core/net/failuretext.h"
#include "core/net/fetcher.h"
#include "core/settings/uitexts.h"
#include "core/updates/updatefile.h"

#include <QFileInfo>

#include <utility>

UpdateCheck::UpdateCheck(Pieces pieces, QString executableFolder, std::function<void()> closeWindow)
    : m_pieces(pieces), m_executableFolder(std::move(executableFolder)), m_closeWindow(std::move(closeWindow)) {}

QCoro::Task<> UpdateCheck::DownloadApplicationUpdates(bool Silent, StopToken stop) {
    const QString baseUrl = m_pieces.endpoints.updateBaseUrl;
    const QString fileUrl = baseUrl + u"mainappupdate.inf";
    const FetchResult reply = co_await m_pieces.fetcher.DirectDownloadURL(fileUrl, false, stop);
    Dialogs &dialogs = m_pieces.dialogs;
    const UiTexts &texts = m_pieces.texts;
    // The user who asked learns why there is no answer; the check at start-up stays silent.
    const auto tellFailure = [&](const QString &reason) {
        if (!Silent && !stop.requested()) {
            dialogs.showMessage(Dialogs::Icon::Warning, texts.format(QStringLiteral("main152"), reason));
        }
    };
    if (!reply.ok()) {
        tellFailure(FailureText(fileUrl, reply, texts));
        co_return;
    }
    const std::optional<QString> newest = NewestVersionText(reply.text);
    if (!newest) {
        tellFailure(fileUrl + u": no version found");
        co_return;
    }
    if (!IsNewerVersion(*newest, ProgramVersion)) {
        if (!Silent) {
            dialogs.showMessage(Dialogs::Icon::Information, texts.text(QStringLiteral("main61")));
        }
        co_return;
    }
    if (!dialogs.confirm(Dialogs::Icon::Information, texts.format(QStringLiteral("main58"), *newest))) {
        co_return;
    }
    const QFileInfo updater(m_executableFolder + u'/' + UpdaterProgramName);
    if (!updater.isFile() || !updater.isExecutable()) {
        dialogs.showMessage(Dialogs::Icon::Warning, texts.text(QStringLiteral("main60")));
        co_return;
    }
    if (!dialogs.confirm(Dialogs::Icon::Information, texts.text(QStringLiteral("main59")))) {
        co_return;
    }
    // Each value is one argument of its own; no shell reads them.
    QString reason;
    if (!m_pieces.host.startProgram(updater.absoluteFilePath(), {baseUrl, ProgramVersion, QStringLiteral("A")},
                                    &reason)) {
        // Nothing will be installed: the window stays, with its rows.
        dialogs.showMessage(Dialogs::Icon::Warning,
                            texts.format(QStringLiteral("main110"), updater.absoluteFilePath()) + u"\n\n" + reason);
        co_return;
    }
    if (m_closeWindow) {
        m_closeWindow();
    }
}
