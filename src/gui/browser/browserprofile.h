#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QWebEngineProfile;
class QWebEnginePage;

// The browser engine's persistent storage: cookies (so a sign-in survives a restart) and site
// data in one folder, the HTTP cache in another. Both panes of the window share it. Pages made
// here are deleted before the profile, whichever owner goes first. Without a storage folder the
// profile keeps everything in memory and writes nothing; without a cache folder only the cache
// stays in memory.
class BrowserProfile : public QObject {
    Q_OBJECT

public:
    BrowserProfile(const QString &storageFolder, const QString &cacheFolder, QObject *parent = nullptr);
    ~BrowserProfile() override;

    QWebEngineProfile *profile() const { return m_profile.get(); }
    QString storageFolder() const { return m_storageFolder; }
    QString cacheFolder() const { return m_cacheFolder; }

    // Registers a page created on profile() so it never outlives the profile.
    void adoptPage(QWebEnginePage *page);

    // Empties the HTTP cache; cookies and site data stay. Before any page has loaded (start-up),
    // the cache folder is removed at once, so the first navigation may follow immediately.
    // Afterwards the engine clears in the background and renews its network connection when
    // done; a load started before then can stall, so call it before the panes navigate.
    void clearHttpCache();
    // The user agent of later requests of every pane; empty keeps the engine's own.
    void setHttpUserAgent(const QString &userAgent);

private:
    QString m_storageFolder;
    QString m_cacheFolder;
    std::unique_ptr<QWebEngineProfile> m_profile;
    QList<QPointer<QWebEnginePage>> m_pages;
    bool m_networkUsed = false;
};
