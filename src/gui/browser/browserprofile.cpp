#include "gui/browser/browserprofile.h"

#include <QDir>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace {

// Profile names must be unique within the process; the storage paths are set explicitly.
QString NextProfileName() {
    static int created = 0;
    return QStringLiteral("Tarnwick-%1").arg(++created);
}

} // namespace

BrowserProfile::BrowserProfile(const QString &storageFolder, QObject *parent)
    : QObject(parent), m_storageFolder(storageFolder),
      m_profile(storageFolder.isEmpty() ? std::make_unique<QWebEngineProfile>()
                                        : std::make_unique<QWebEngineProfile>(NextProfileName())) {
    if (!storageFolder.isEmpty()) {
        QDir().mkpath(storageFolder);
        m_profile->setPersistentStoragePath(storageFolder + QStringLiteral("/Storage"));
        m_profile->setCachePath(storageFolder + QStringLiteral("/Cache"));
        m_profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
        // Session cookies are kept too: a sign-in made without "remember me" survives a restart.
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    }

    QWebEngineSettings *settings = m_profile->settings();
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
}

BrowserProfile::~BrowserProfile() {
    for (const QPointer<QWebEnginePage> &page : std::as_const(m_pages)) {
        delete page.data();
    }
}

void BrowserProfile::adoptPage(QWebEnginePage *page) {
    m_pages.removeAll(nullptr);
    m_pages.append(page);
    connect(page, &QWebEnginePage::loadStarted, this, [this] { m_networkUsed = true; });
}

void BrowserProfile::clearHttpCache() {
    // The engine opens its disk cache with the first request; until then the folder is ours.
    if (!m_networkUsed && !m_storageFolder.isEmpty()) {
        QDir(m_profile->cachePath()).removeRecursively();
        return;
    }
    m_profile->clearHttpCache();
}

void BrowserProfile::setHttpUserAgent(const QString &userAgent) {
    if (!userAgent.isEmpty()) {
        m_profile->setHttpUserAgent(userAgent);
    }
}
