#include "samplesite/todaysearchpages.h"

#include "samplesite/drawnpage.h"
#include "samplesite/markuptext.h"
#include "samplesite/samplecatalog.h"
#include "samplesite/startvariation.h"

#include <QStringList>

#include <algorithm>

// What the pages promise a reader, once the script has drawn them:
// - One <ul role="list"> in <main> holds the results as <li> cards in page order. Each card
//   links its company twice: a logo link without text (absolute address), then the name link
//   (relative, or absolute with a query and a fragment). Then a line "Industry • City, Country"
//   and a line "N followers". Some cards carry data-chameleon-result-urn, some data-view-name.
// - Not results: the promoted fourth item of that list, the "People also viewed" section after
//   it, the side panel and the footer.
// - Pagination follows the list; its Next button is disabled on the last page.

namespace {

constexpr int drawMinMs = 300;
constexpr int drawMaxMs = 2000;
constexpr int promotedPosition = 3;
constexpr int pagerWidth = 10;

const QString logoImage =
    QStringLiteral("data:image/gif;base64,R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7");

// Companies that show on the page without being results; none is in the catalog.
const QStringList alsoViewed{QStringLiteral("Northgate Holdings"), QStringLiteral("Bluefin Partners"),
                             QStringLiteral("Cobalt Ventures"), QStringLiteral("Meridian Group")};
const QString promotedName = QStringLiteral("Silverline Capital");
const QStringList sidePanel{QStringLiteral("Oakridge Media"), QStringLiteral("Pinecrest Studio"),
                            QStringLiteral("Tidewater Freight")};

// Buttons navigate to the same address with another "page", every other parameter kept.
const QString navigationScript = QStringLiteral(R"(
  document.addEventListener('click', (event) => {
    const button = event.target.closest('main button');
    if (!button || button.disabled) {
      return;
    }
    const label = button.getAttribute('aria-label') || '';
    const url = new URL(location.href);
    const current = Number(url.searchParams.get('page')) || 1;
    let target = Number(label.replace('Page ', ''));
    if (label === 'Next') {
      target = current + 1;
    } else if (label === 'Previous') {
      target = current - 1;
    }
    if (target >= 1) {
      url.searchParams.set('page', String(target));
      location.assign(url.href);
    }
  });
)");

QString Disabled(bool disabled) {
    return disabled ? QStringLiteral(" disabled") : QString();
}

} // namespace

// The elements whose class names the start's variation hashes.
enum class TodaySearchPages::Part {
    Header,
    HeaderLink,
    SearchForm,
    SearchInput,
    Main,
    Skeleton,
    SkeletonCard,
    Count,
    Results,
    Card,
    CardInner,
    Logo,
    LogoLink,
    LogoImage,
    CardBody,
    Title,
    NameLink,
    Subtitle,
    Followers,
    Pager,
    PagerButton,
    PagerList,
    PagerItem,
    Panel,
    PanelHeading,
    PanelList,
    PanelItem,
    PanelLink,
    Aside,
    Footer,
    FooterList,
    Empty,
    EmptyHeading,
    EmptyText,
};

QString TodaySearchPages::Class(Part part) const {
    return m_variation.ClassName(int(part));
}

QString TodaySearchPages::Page(const QString &keyword, int page, const QString &base) const {
    const bool found = keyword.compare(u"nothing", Qt::CaseInsensitive) != 0 && page <= m_catalog.pageCount(3);
    const QString content = found ? Results(page, base)
                                  : u"<div class=\"" + Class(Part::Empty) + u"\"><h2 class=\"" +
                                        Class(Part::EmptyHeading) + u"\">No results found</h2><p class=\"" +
                                        Class(Part::EmptyText) +
                                        u"\">Try shortening or rephrasing your search.</p></div>\n";
    QString skeleton = u"<div class=\"" + Class(Part::Skeleton) + u"\">";
    for (int i = 0; i < 3; ++i) {
        skeleton += u"<div class=\"" + Class(Part::SkeletonCard) + u"\"></div>";
    }
    return DrawnPage{.title = keyword + u" | Search | LinkedIn (sample)",
                     .beforeMain = Header(keyword),
                     .mainClass = Class(Part::Main),
                     .placeholder = skeleton + u"</div>",
                     .content = content,
                     .afterMain = AfterMain(),
                     .extraScript = navigationScript,
                     .delayMs = m_variation.DrawDelay(drawMinMs, drawMaxMs)}
        .Html();
}

QString TodaySearchPages::CommercialUseLimit(const QString &keyword) const {
    return u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           HtmlEscaped(keyword + u" | Search | LinkedIn (sample)") + u"</title>\n</head>\n<body>\n" + Header(keyword) +
           u"<main class=\"" + Class(Part::Main) + u"\"><section class=\"" + Class(Part::Empty) + u"\"><h2 class=\"" +
           Class(Part::EmptyHeading) + u"\">You've reached the monthly commercial use limit</h2><p class=\"" +
           Class(Part::EmptyText) +
           u"\">Searching again is possible at the start of next month.</p></section></main>\n" + AfterMain() +
           u"</body>\n</html>\n";
}

QString TodaySearchPages::Results(int page, const QString &base) const {
    const QList<SampleCompany> companies = m_catalog.page(3, page);
    QStringList items;
    for (int entry = 0; entry < companies.size(); ++entry) {
        items.append(Card(companies.at(entry), entry, base));
    }
    items.insert(std::min<qsizetype>(promotedPosition, items.size()), Promoted(page, base));
    return u"<div class=\"" + Class(Part::Count) + u"\">About " + QString::number(m_catalog.resultCount(3)) +
           u" results</div>\n<ul class=\"" + Class(Part::Results) + u"\" role=\"list\">\n" + items.join(QString()) +
           u"</ul>\n" + Pagination(page) + PeopleAlsoViewed(page);
}

QString TodaySearchPages::Card(const SampleCompany &company, int entry, const QString &base) const {
    const QString urn = u"urn%3Ali%3Afs_miniCompany%3A" + company.linkedInId;
    const QString page = u"/company/" + company.slug + u'/';
    // Relative and bare, relative with a query and a fragment, or absolute with both.
    QString nameHref = page;
    if (entry % 3 == 1) {
        nameHref += u"?miniCompanyUrn=" + urn + u"#x";
    } else if (entry % 3 == 2) {
        nameHref = base + page + u"?miniCompanyUrn=" + urn + u"&amp;lipi=srp#main";
    }
    QString attributes;
    if (entry % 2 == 0) {
        attributes += u" data-chameleon-result-urn=\"urn:li:company:" + company.linkedInId + u'"';
    }
    if (entry % 3 != 2) {
        attributes += QStringLiteral(" data-view-name=\"search-entity-result-universal-template\"");
    }
    return u"<li class=\"" + Class(Part::Card) + u"\"><div class=\"" + Class(Part::CardInner) + u'"' + attributes +
           u">\n<div class=\"" + Class(Part::Logo) + u"\"><a class=\"" + Class(Part::LogoLink) + u"\" href=\"" + base +
           page + u"?trk=search_logo\" aria-hidden=\"true\" tabindex=\"-1\"><img class=\"" + Class(Part::LogoImage) +
           u"\" src=\"" + logoImage + u"\" alt=\"\"></a></div>\n<div class=\"" + Class(Part::CardBody) +
           u"\"><span class=\"" + Class(Part::Title) + u"\"><a class=\"" + Class(Part::NameLink) + u"\" href=\"" +
           nameHref + u"\">" + HtmlEscaped(company.name) + u"</a></span>\n<div class=\"" + Class(Part::Subtitle) +
           u"\">" + HtmlEscaped(company.subtitle) + u"</div>\n<div class=\"" + Class(Part::Followers) + u"\">" +
           HtmlEscaped(company.followers) + u"</div></div>\n</div></li>\n";
}

QString TodaySearchPages::Promoted(int page, const QString &base) const {
    const QString href = u"/company/" + AsciiSlug(promotedName) + u'-' + QString::number(page) + u'/';
    return u"<li class=\"" + Class(Part::Card) + u"\"><div class=\"" + Class(Part::CardInner) + u"\">\n<div class=\"" +
           Class(Part::Logo) + u"\"><a class=\"" + Class(Part::LogoLink) + u"\" href=\"" + base + href +
           u"?trk=ad_logo\" aria-hidden=\"true\" tabindex=\"-1\"><img class=\"" + Class(Part::LogoImage) +
           u"\" src=\"" + logoImage + u"\" alt=\"\"></a></div>\n<div class=\"" + Class(Part::CardBody) +
           u"\"><span class=\"" + Class(Part::Title) + u"\"><a class=\"" + Class(Part::NameLink) + u"\" href=\"" +
           href + u"?trk=ad\">" + promotedName + u"</a></span>\n<div class=\"" + Class(Part::Subtitle) +
           u"\">Promoted</div>\n<div class=\"" + Class(Part::Followers) +
           u"\">9,870 followers</div></div>\n</div></li>\n";
}

QString TodaySearchPages::Pagination(int page) const {
    const int last = m_catalog.pageCount(3);
    const int first = std::max(1, std::min(page - pagerWidth / 2, last - pagerWidth + 1));
    QString numbers;
    for (int number = first; number <= std::min(last, first + pagerWidth - 1); ++number) {
        numbers += u"<li class=\"" + Class(Part::PagerItem) + u"\"><button class=\"" + Class(Part::PagerButton) +
                   u"\" type=\"button\" aria-label=\"Page " + QString::number(number) + u'"' +
                   (number == page ? QStringLiteral(" aria-current=\"true\"") : QString()) + u'>' +
                   QString::number(number) + u"</button></li>";
    }
    return u"<div class=\"" + Class(Part::Pager) + u"\">\n<button class=\"" + Class(Part::PagerButton) +
           u"\" type=\"button\" aria-label=\"Previous\"" + Disabled(page <= 1) + u">Previous</button>\n<ul class=\"" +
           Class(Part::PagerList) + u"\">" + numbers + u"</ul>\n<button class=\"" + Class(Part::PagerButton) +
           u"\" type=\"button\" aria-label=\"Next\" data-testid=\"pagination-controls-next-button-visible\"" +
           Disabled(page >= last) + u">Next</button>\n</div>\n";
}

QString TodaySearchPages::PeopleAlsoViewed(int page) const {
    QString items;
    for (const QString &name : alsoViewed) {
        items += u"<li class=\"" + Class(Part::PanelItem) + u"\"><a class=\"" + Class(Part::PanelLink) +
                 u"\" href=\"/company/" + AsciiSlug(name) + u'-' + QString::number(page) + u"/\">" + name +
                 u"</a><div class=\"" + Class(Part::Subtitle) + u"\">Financial Services</div></li>\n";
    }
    return u"<section class=\"" + Class(Part::Panel) + u"\"><h2 class=\"" + Class(Part::PanelHeading) +
           u"\">People also viewed</h2>\n<ul class=\"" + Class(Part::PanelList) + u"\">\n" + items +
           u"</ul></section>\n";
}

QString TodaySearchPages::Header(const QString &keyword) const {
    return u"<header class=\"" + Class(Part::Header) + u"\"><a class=\"" + Class(Part::HeaderLink) +
           u"\" href=\"/\">LinkedIn (sample)</a>\n<form class=\"" + Class(Part::SearchForm) +
           u"\" action=\"/search/results/companies/\" method=\"get\"><input class=\"" + Class(Part::SearchInput) +
           u"\" name=\"keywords\" aria-label=\"Search\" value=\"" + HtmlEscaped(keyword) +
           u"\" autocomplete=\"off\"><input type=\"hidden\" name=\"origin\" value=\"SWITCH_SEARCH_VERTICAL\">"
           u"</form></header>\n";
}

QString TodaySearchPages::AfterMain() const {
    QString suggested;
    for (const QString &name : sidePanel) {
        suggested += u"<li class=\"" + Class(Part::PanelItem) + u"\"><a class=\"" + Class(Part::PanelLink) +
                     u"\" href=\"/company/" + AsciiSlug(name) + u"/\">" + name + u"</a></li>\n";
    }
    return u"<aside class=\"" + Class(Part::Aside) + u"\" aria-label=\"Suggested pages\"><h2 class=\"" +
           Class(Part::PanelHeading) + u"\">Pages you may want to follow</h2>\n<ul class=\"" + Class(Part::PanelList) +
           u"\">\n" + suggested + u"</ul></aside>\n<footer class=\"" + Class(Part::Footer) + u"\"><ul class=\"" +
           Class(Part::FooterList) +
           u"\"><li><a href=\"/legal/user-agreement\">User Agreement</a></li><li><a href=\"/company/linkedin/\">"
           u"LinkedIn Corporation</a></li><li><a href=\"/help/\">Help Center</a></li></ul></footer>\n";
}
