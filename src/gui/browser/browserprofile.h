#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QWebEngineProfile;
class QWebEnginePage;

// The browser engine's persistent storage under one folder: cookies (so a sign-in survives a
// restart), HTTP cache and site data. Both panes of the window share it. Pages made here are
// deleted before the profile, whichever owner goes first. Without a folder the profile keeps
// everything in memory and writes nothing.
class BrowserProfile : public QObject {
    Q_OBJECT

public:
    explicit BrowserProfile(const QString &storageFolder, QObject *parent = nullptr);
    ~BrowserProfile() override;

    QWebEngineProfile *profile() const { return m_profile.get(); }
    QString storageFolder() const { return m_storageFolder; }

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
    std::unique_ptr<QWebEngineProfile> m_profile;
    QList<QPointer<QWebEnginePage>> m_pages;
    bool m_networkUsed = false;
};
