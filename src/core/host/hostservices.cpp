#include "core/host/hostservices.h"

#include "core/async/completion.h"
#include "core/host/host.h"

#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

#include <algorithm>

QString BrowserAddress(const QString &address) {
    const QString text = address.trimmed();
    // Addresses come from scraped pages; one that starts with "-" would reach the launcher as an
    // option rather than an address.
    if (text.isEmpty() || text.startsWith(u'-')) {
        return {};
    }
    // A scheme is letters before a colon; "host:8080" names a port, not a scheme.
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(?![0-9])"));
    QString candidate = text;
    if (const QRegularExpressionMatch match = scheme.match(text); match.hasMatch()) {
        const QString name = match.captured(1).toLower();
        if (name != u"http" && name != u"https") {
            return {};
        }
    } else {
        candidate = (text.startsWith(u"//") ? QStringLiteral("http:") : QStringLiteral("http://")) + text;
    }
    if (QUrl(candidate).host().isEmpty()) {
        return {};
    }
    return candidate;
}

QCoro::Task<BrowserOpening> OpenUrlInBrowser(Host &host, const QString &address, StopToken stop) {
    using Result = BrowserOpening::Result;
    const QString webAddress = BrowserAddress(address);
    if (webAddress.isEmpty()) {
        co_return BrowserOpening{};
    }
    if (stop.requested()) {
        co_return BrowserOpening{Result::Abandoned, webAddress, {}};
    }
    const QString launcher = host.browserLauncher();
    if (launcher.isEmpty()) {
        co_return BrowserOpening{Result::NoLauncher, webAddress, {}};
    }
    // Built apart: GCC 12 cannot keep an initializer list alive across co_await.
    const QStringList arguments{webAddress};
    const ProgramExit exit = co_await host.runProgram(launcher, arguments, stop);
    if (exit.succeeded()) {
        co_return BrowserOpening{Result::Opened, webAddress, {}};
    }
    if (exit.kind == ProgramExit::Kind::Abandoned) {
        co_return BrowserOpening{Result::Abandoned, webAddress, {}};
    }
    const QString reason = exit.kind == ProgramExit::Kind::Exited
                               ? QStringLiteral("%1 ended with status %2").arg(launcher).arg(exit.exitCode)
                               : launcher + QStringLiteral(": ") + exit.errorString;
    co_return BrowserOpening{Result::LauncherFailed, webAddress, reason};
}

QCoro::Task<bool> PumpDelay(int durationMs, StopToken stop) {
    if (stop.requested()) {
        co_return false;
    }
    const Completion<bool> done;
    QTimer timer;
    timer.setSingleShot(true);
    // A coarse timer may fire early; "at least" is the promise.
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [done] { done.resolve(true); });
    const StopCallback onStop(stop, [done] { done.resolve(false); });
    timer.start(std::max(durationMs, 0));
    co_return co_await done;
}

QString GetDocumentsFolder(Host &host) {
    return host.documentsFolder();
}

QString GetAppDataFolder(Host &host) {
    return host.appDataFolder();
}

QString AppDataFolder(Host &host) {
    const QString base = GetAppDataFolder(host);
    // Without a base the name alone would point at the root of the file system.
    if (base.isEmpty()) {
        return {};
    }
    return base + QStringLiteral("/Brisvane Software/Tarnwick");
}
