#include "gui/app/newstab.h"

#include "core/app/endpoints.h"
#include "core/settings/newsline.h"
#include "core/updates/newsfeed.h"
#include "gui/browser/webenginepane.h"

#include <QLabel>
#include <QWebEngineView>

#include <optional>

NewsTab::NewsTab(Pieces pieces) : m_pieces(std::move(pieces)) {
    m_ewbNews = std::make_unique<WebEnginePane>(m_pieces.profile);
    m_ewbNews->view()->setObjectName(QStringLiteral("ewbNews"));
    m_ewbNews->setLinksOpenOutside(true);
    // Queued: a box about a failed opening is never shown inside the engine's navigation call.
    connect(m_ewbNews.get(), &WebEnginePane::outsideLinkClicked, this, &NewsTab::ewbNewsLinkClick,
            Qt::QueuedConnection);
}

NewsTab::~NewsTab() = default;

QWidget *NewsTab::page() const {
    return m_ewbNews->view();
}

QLabel *NewsTab::buildNewsLine(QWidget *parent) {
    Q_ASSERT(m_lblNews == nullptr);
    m_lblNews = new QLabel(QStringLiteral("News"), parent);
    m_lblNews->setObjectName(QStringLiteral("lblNews"));
    m_lblNews->setTextFormat(Qt::RichText);
    m_lblNews->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(m_lblNews, &QLabel::linkActivated, this, &NewsTab::lblNewsLinkClick);
    return m_lblNews;
}

QCoro::Task<> NewsTab::FetchNews(StopToken stop) {
    const std::optional<QString> news = co_await GetNews(m_pieces.fetcher, m_pieces.endpoints.newsDataUrl, stop);
    if (news) {
        m_newsText = *news;
        RefreshNewsLine();
    }
}

void NewsTab::setLanguage(const QString &code) {
    m_newsLanguage = code;
    RefreshNewsLine();
}

void NewsTab::RefreshNewsLine() {
    const NewsLine news = BuildNewsLine(m_newsText, m_pieces.endpoints.affiliatesUrl, m_newsLanguage);
    m_lblNews->setText(news.markup);
    m_lblNews->setToolTip(news.toolTip);
}

void NewsTab::ShowOffers(const QString &code) {
    const QString address = OffersPageAddress(m_pieces.endpoints.offersPageUrl, code);
    if (!address.isEmpty()) {
        m_ewbNews->navigate(address);
    }
}

void NewsTab::Shutdown() {
    m_ewbNews->cancelScriptCalls();
}

// Whatever address the news text holds, the link leads to the affiliates page.
void NewsTab::lblNewsLinkClick() {
    m_pieces.openLink(m_pieces.endpoints.affiliatesUrl);
}

void NewsTab::ewbNewsLinkClick(const QString &url) {
    m_pieces.openLink(url);
}
