#include "core/app/openlink.h"

#include "core/app/dialogs.h"
#include "core/settings/uitexts.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcLinks, "tarnwick.app.links", QtWarningMsg)

} // namespace

QCoro::Task<BrowserOpening> OpenLink(Host &host, Dialogs &dialogs, const UiTexts &texts, QString address,
                                     StopToken stop) {
    const BrowserOpening opening = co_await OpenUrlInBrowser(host, address, stop);
    if (!opening.failed()) {
        co_return opening;
    }
    if (!opening.reason.isEmpty()) {
        qCWarning(lcLinks).noquote() << "could not open" << opening.address << "-" << opening.reason;
    }
    const bool noLauncher = opening.result == BrowserOpening::Result::NoLauncher;
    const QString text = texts.text(noLauncher ? QStringLiteral("main121") : QStringLiteral("main120"));
    dialogs.showMessageWithDetail(Dialogs::Icon::Warning, text, opening.address);
    co_return opening;
}
