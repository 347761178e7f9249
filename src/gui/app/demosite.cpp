#include "gui/app/demosite.h"

#include "core/host/hostservices.h"
#include "core/settings/appsettings.h"
#include "core/settings/settingsstore.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace {

// The site prints its address, then TARNWICK_<NAME>=<value> lines, then "ready".
constexpr int StartLimitMs = 10000;

} // namespace

DemoSite::~DemoSite() {
    if (m_site.state() != QProcess::NotRunning) {
        m_site.terminate();
        if (!m_site.waitForFinished(3000)) {
            m_site.kill();
            m_site.waitForFinished(1000);
        }
    }
    // The browser engine's helper processes may still be writing into the profile for a moment.
    if (m_home.isValid() && !m_home.remove()) {
        QThread::sleep(1);
        m_home.remove();
    }
}

bool DemoSite::start(const QString &program, Host &host) {
    if (!m_home.isValid()) {
        m_error = QStringLiteral("cannot create a temporary home folder: ") + m_home.errorString();
        return false;
    }
    m_site.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The site ends with the program, also when the program is killed.
    m_site.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    // The program opens on the site's home page, which offers today's company search beside the
    // two older layouts.
    m_site.start(program, {QStringLiteral("--print-env")});
    if (!m_site.waitForStarted(StartLimitMs)) {
        m_error = program + QStringLiteral(": ") + m_site.errorString();
        return false;
    }
    return readEndpoints() && prepareHome(host);
}

bool DemoSite::readEndpoints() {
    const QDeadlineTimer deadline(StartLimitMs);
    while (!deadline.hasExpired()) {
        while (m_site.canReadLine()) {
            const QString line = QString::fromLocal8Bit(m_site.readLine()).trimmed();
            if (line == u"ready") {
                return true;
            }
            const qsizetype equals = line.indexOf(u'=');
            if (line.startsWith(u"TARNWICK_") && equals > 0) {
                m_environment.insert(line.first(equals), line.sliced(equals + 1));
            }
        }
        if (m_site.state() == QProcess::NotRunning ||
            !m_site.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            break;
        }
    }
    m_error = QStringLiteral("the sample site did not start");
    return false;
}

bool DemoSite::prepareHome(Host &host) {
    const QString home = m_home.path();
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + QStringLiteral("/data")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home + QStringLiteral("/cache")));
    const QString dataFolder = AppDataFolder(host);
    QDir().mkpath(dataFolder);

    AppSettings settings;
    LoadSettings(settings, QString(), GetDocumentsFolder(host));
    settings.eRandom = QStringLiteral("0");
    const SaveSettingsResult saved = SaveSettings(settings, SettingsFilePath(dataFolder));
    if (!saved.ok) {
        m_error = saved.errorString;
    }
    return saved.ok;
}
