#pragma once

#include "core/async/stoptoken.h"

#include <QObject>
#include <QString>
#include <qcoro/qcorotask.h>

#include <functional>
#include <memory>

class BrowserProfile;
struct Endpoints;
class Fetcher;
class QLabel;
class QWidget;
class WebEnginePane;

// The News & Special Offers tab: the publisher's offers page, and the news line of the command
// panel that shows the publisher's news text in the window's language. Links of either open in
// the user's browser; the offers page itself stays put.
class NewsTab : public QObject {
    Q_OBJECT

public:
    struct Pieces {
        BrowserProfile &profile;
        Fetcher &fetcher;
        const Endpoints &endpoints;
        // Opens an address in the user's browser.
        std::function<void(const QString &address)> openLink;
    };

    explicit NewsTab(Pieces pieces);
    ~NewsTab() override;

    WebEnginePane &pane() { return *m_ewbNews; }
    // The tab's page; the window's tabs take it over.
    QWidget *page() const;
    // The news line, made once as a child of parent for the window to place.
    QLabel *buildNewsLine(QWidget *parent);

    // Fetches the news once; the line fills when the reply comes, and a failed fetch leaves it.
    QCoro::Task<> FetchNews(StopToken stop);
    // The news line shows the news in the language of code.
    void setLanguage(const QString &code);
    // The news text of every language, as fetched (empty when the fetch failed).
    const QString &newsText() const { return m_newsText; }
    // Loads the offers page of the language of code, where there is one.
    void ShowOffers(const QString &code);
    // Ends the page's script calls in flight.
    void Shutdown();

    void lblNewsLinkClick();
    // A link on the offers page that leaves it: the user's browser shows it.
    void ewbNewsLinkClick(const QString &url);

private:
    void RefreshNewsLine();

    Pieces m_pieces;
    std::unique_ptr<WebEnginePane> m_ewbNews;
    QLabel *m_lblNews = nullptr;
    QString m_newsText;
    QString m_newsLanguage;
};
