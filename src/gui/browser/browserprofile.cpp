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

BrowserProfile::BrowserProfile(const QString &storageFolder, const QString &cacheFolder, QObject *parent)
    : QObject(parent), m_storageFolder(storageFolder), m_cacheFolder(storageFolder.isEmpty() ? QString() : cacheFolder),
      m_profile(storageFolder.isEmpty() ? std::make_unique<QWebEngineProfile>()
                                        : std::make_unique<QWebEngineProfile>(NextProfileName())) {
    if (!m_storageFolder.isEmpty()) {
        QDir().mkpath(m_storageFolder);
        m_profile->setPersistentStoragePath(m_storageFolder);
        // Session cookies are kept too: a sign-in made without "remember me" survives a restart.
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    }
    if (!m_cacheFolder.isEmpty()) {
        QDir().mkpath(m_cacheFolder);
        m_profile->setCachePath(m_cacheFolder);
        m_profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    } else {
        m_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
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
    if (!m_networkUsed && !m_cacheFolder.isEmpty()) {
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
