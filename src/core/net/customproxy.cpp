#include "core/net/customproxy.h"

#include "core/browser/browserpane.h"
#include "core/net/proxystep.h"
#include "core/net/randomsource.h"
#include "core/settings/appsettings.h"
#include "core/util/textcursor.h"

#include <QStringList>

namespace {

void ApplyFixedProxy(AppSettings &settings, BrowserPane &pane, const QString &userAgent) {
    const int port = ProxyPort(settings.ePort);
    if (!settings.rAuthentification) {
        settings.eUserName.clear();
        settings.ePassword.clear();
    }
    pane.setProxy(userAgent, settings.eHost, settings.eUserName, settings.ePassword, port);
}

void ApplyListProxy(AppSettings &settings, BrowserPane &pane, RandomSource &random, const QString &userAgent) {
    settings.eHost.clear();
    settings.ePort.clear();
    settings.eUserName.clear();
    settings.ePassword.clear();

    const int lineCount = static_cast<int>(settings.eRandomProxies.size());
    const int index = qBound(0, random.Below(lineCount), lineCount - 1);
    QStringList pieces;
    SplitText(settings.eRandomProxies.at(index), QStringLiteral(":"), pieces);
    QString *const targets[] = {&settings.eHost, &settings.ePort, &settings.eUserName, &settings.ePassword};
    for (qsizetype i = 0; i < pieces.size() && i < 4; ++i) {
        *targets[i] = pieces.at(i);
    }

    const int port = ProxyPort(settings.ePort);
    if (!settings.rAuthentification) {
        settings.eUserName.clear();
        settings.ePassword.clear();
    }
    // A blank line leaves the pane direct.
    if (!settings.eHost.isEmpty()) {
        pane.setProxy(userAgent, settings.eHost, settings.eUserName, settings.ePassword, port);
    }
}

} // namespace

QString BrowserProxyUserAgent() {
    return QStringLiteral("Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.0; Trident/5.0)");
}

void SetCustomProxy(AppSettings &settings, BrowserPane &pane, RandomSource &random) {
    const QString userAgent = BrowserProxyUserAgent();
    pane.setProxy(userAgent, QString(), QString(), QString(), 80);
    pane.clearBrowserProxy();

    if (settings.rUseProxy && !settings.eHost.isEmpty() && !settings.ePort.isEmpty()) {
        ApplyFixedProxy(settings, pane, userAgent);
    }
    if (settings.rRandomProxy && !settings.eRandomProxies.isEmpty()) {
        ApplyListProxy(settings, pane, random, userAgent);
    }
}
