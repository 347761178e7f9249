#pragma once

#include <QObject>
#include <QString>
#include <qcoro/qcorotask.h>

#include <optional>

// One anchor of the document's links collection.
struct LinkInfo {
    QString innerHtml;
    QString href;
};

// What a script call into the pane gave, or why it gave nothing: a script error, a time-out, a
// renderer that is gone, a call cancelled because the window closes.
template<typename T>
struct PaneResult {
    T value{};
    QString error; // empty on success
    bool ok() const { return error.isEmpty(); }
};

// Markup read from the pane, or the reason it could not be read.
struct MarkupResult {
    QString markup;
    QString error; // empty on success
    bool ok() const { return error.isEmpty(); }
};

// The embedded browser as the rest of the program drives it. Navigation calls return at once;
// the calls that read or act on the document are awaited, and each ends with a value or an
// error, never a hang.
class BrowserPane : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    static constexpr qint64 LoadEndedProgress = -1;

    virtual void navigate(const QString &address) = 0;
    virtual void stop() = 0;
    // Each returns false when there is nothing to do (no history, no page).
    virtual bool goBack() = 0;
    virtual bool goForward() = 0;
    virtual bool refresh() = 0;
    virtual bool isBusy() const = 0;
    virtual QString locationUrl() const = 0;

    // Document.body.outerHTML in the legacy serialisation (upper-case element names, simple
    // attribute values unquoted); fails when there is no document.
    virtual QCoro::Task<MarkupResult> bodyOuterHtml() = 0;

    // A result page in today's layout, read as its cards: the card reader's JSON (read by
    // ParseCardsPage). Fails when there is no document.
    virtual QCoro::Task<PaneResult<QByteArray>> readResultCards() = 0;
    // The HTTP status of the page shown when it was an error status (a 429, say); 0 otherwise.
    virtual int httpErrorStatus() const { return 0; }

    // The document's links collection, read afresh on every call. An index out of range or an
    // anchor that is gone gives no link, and clicking it gives false: the document changed, the
    // pane did not fail.
    virtual QCoro::Task<PaneResult<int>> linkCount() = 0;
    virtual QCoro::Task<PaneResult<std::optional<LinkInfo>>> link(int index) = 0;
    virtual QCoro::Task<PaneResult<bool>> clickLink(int index) = 0;

    // Ends every script call in flight at once with an error; the window calls it when it closes,
    // so nothing waits on a pane that is about to go.
    virtual void cancelScriptCalls() = 0;

    // Later connections of the pane go through that proxy, or direct again.
    virtual void setProxy(const QString &userAgent, const QString &address, const QString &userName,
                          const QString &password, int port) = 0;
    virtual void clearBrowserProxy() = 0;

Q_SIGNALS:
    // Each completed navigation, frames included: the completed address.
    void navigateComplete2(const QString &url);
    // While a page loads, its progress; once the load has ended, a progress below 1
    // (LoadEndedProgress), so an idle window shows an empty gauge.
    void progressChange(qint64 progress, qint64 progressMax);
    // A script error of the page; the page's scripts go on, no dialog is shown.
    void scriptError(const QString &message);
};
