#include "core/browser/browserpane.h"
#include "core/extraction/nextpage.h"
#include "core/extraction/pagekeyword.h"
#include "core/extraction/pagelayout.h"
#include "core/extraction/resultslist.h"
#include "core/extraction/resultsparser.h"
#include "legacymarkup.h"
#include "sitefixture.h"

#include <QRegularExpression>
#include <QSet>

namespace {

struct LayoutCase {
    int layout;
    PageLayout detected;
    QString (*keyword)(const QString &page);
    QCoro::Task<ParseOutcome> (ResultsPageParser::*parse)(QString page, StopToken stop);
    QString companyLinkTail; // what the program's link keeps of an entry's href behind the slug
    int trapsBeforeNext;     // links with a next-page look that must be passed over
};

const LayoutCase layoutCases[] = {
    {1, PageLayout::First, &PageKeyword1, &ResultsPageParser::GetCompanyDataResults1,
     QStringLiteral("?trk=vsrp_companies_res_name"), 3},
    {2, PageLayout::Second, &PageKeyword2, &ResultsPageParser::GetCompanyDataResults2, QStringLiteral("/?trk=srp"), 0},
};

void PrintTo(const LayoutCase &layoutCase, std::ostream *stream) {
    *stream << "layout " << layoutCase.layout;
}

// The anchors of serialised markup as the pane reports them: inner markup and absolute href.
QList<LinkInfo> Anchors(const QString &markup, const QString &base) {
    static const QRegularExpression anchor(QStringLiteral("<A href=\"([^\"]*)\"[^>]*>(.*?)</A>"));
    QList<LinkInfo> links;
    QRegularExpressionMatchIterator matches = anchor.globalMatch(markup);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        links.append(
            {match.captured(2), base + match.captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&"))});
    }
    return links;
}

bool LooksLikeNextLink(const LinkInfo &link) {
    return link.innerHtml.contains(u"&gt;") || link.innerHtml.contains(u"\u00bb");
}

class ResultPagesTest : public SampleSiteTest, public ::testing::WithParamInterface<LayoutCase> {
protected:
    int LastPage() const { return GetParam().layout == 1 ? 3 : 2; }
    QString Serialised(int page) const {
        return LegacyBodyMarkup(Page(site.searchUrl(GetParam().layout, page).mid(site.base().size())));
    }
};

TEST_P(ResultPagesTest, EveryPageReadsAsItsLayoutWithTheKeyword) {
    for (int page = 1; page <= LastPage(); ++page) {
        const QString markup = Serialised(page);
        EXPECT_EQ(DetectLayout(markup), GetParam().detected) << "page " << page;
        EXPECT_EQ(GetParam().keyword(markup), u"Widgets") << "page " << page;
        if (GetParam().layout == 2) {
            EXPECT_FALSE(markup.contains(u"results_count", Qt::CaseInsensitive));
        }
    }
}

TEST_P(ResultPagesTest, NextLinkLeadsToTheFollowingPageAfterTheTrapsAndTheLastPageHasNone) {
    for (int page = 1; page <= LastPage(); ++page) {
        const QString markup = Serialised(page);
        const QList<LinkInfo> links = Anchors(markup, site.base());
        int passedOver = 0;
        QString next;
        for (const LinkInfo &link : links) {
            if (IsNextPageLink(link, markup)) {
                next = link.href;
                break;
            }
            passedOver += LooksLikeNextLink(link) ? 1 : 0;
        }
        if (page < LastPage()) {
            EXPECT_TRUE(HasNextPageMarker(markup, GetParam().detected)) << "page " << page;
            EXPECT_EQ(next, site.searchUrl(GetParam().layout, page + 1));
            EXPECT_EQ(passedOver, GetParam().trapsBeforeNext) << "page " << page;
        } else {
            EXPECT_FALSE(HasNextPageMarker(markup, GetParam().detected));
            EXPECT_TRUE(next.isEmpty()) << next.toStdString();
        }
    }
}

TEST_P(ResultPagesTest, TheProgramListsEveryEntryOfAPageByNameAndLink) {
    test.context.settings.cCompleteFromGoogle = false;
    test.context.settings.cExtractEmails = false;
    ResultsList results(ListPiecesOf(test.context));
    ResultsPageParser parser(RunPiecesOf(test.context), downloader, results);
    const QList<SampleCompany> companies = site.companies(GetParam().layout, LastPage());

    QCoro::waitFor((parser.*GetParam().parse)(Serialised(LastPage()), {}));

    ASSERT_EQ(results.rowCount(), companies.size());
    for (int i = 0; i < companies.size(); ++i) {
        EXPECT_EQ(results.row(i)[LeadRow::BusinessName], companies.at(i).name);
        EXPECT_EQ(results.row(i)[LeadRow::LinkedInLink],
                  site.base() + u"/company/" + companies.at(i).slug + GetParam().companyLinkTail);
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, ResultPagesTest, ::testing::ValuesIn(layoutCases),
                         [](const auto &info) { return "Layout" + std::to_string(info.param.layout); });

class SearchContentTest : public SampleSiteTest {};

TEST_F(SearchContentTest, SlugsAndNamesAreUniqueAcrossBothSearches) {
    QSet<QString> slugs;
    QSet<QString> names;
    int count = 0;
    for (const auto &[layout, pages] : {std::pair{1, 3}, std::pair{2, 2}}) {
        for (int page = 1; page <= pages; ++page) {
            for (const SampleCompany &company : site.companies(layout, page)) {
                slugs.insert(company.slug);
                names.insert(company.name);
                ++count;
            }
        }
    }
    EXPECT_EQ(count, 50);
    EXPECT_EQ(slugs.size(), count);
    EXPECT_EQ(names.size(), count);
}

TEST_F(SearchContentTest, EachPageHasOneEntryWithoutCountryAndOneWithoutWebsite) {
    const QList<SampleCompany> companies = site.companies(2, 1);
    for (int i = 0; i < companies.size(); ++i) {
        EXPECT_EQ(companies.at(i).country.isEmpty(), i == 3) << i;
        EXPECT_EQ(companies.at(i).website.isEmpty(), i == 6) << i;
        EXPECT_EQ(companies.at(i).phone.isEmpty(), i == 8) << i;
    }
}

TEST_F(SearchContentTest, TheSameSeedGivesTheSameCompaniesAndAnotherSeedOthers) {
    SampleSite same;
    SampleSite other(SampleSiteOptions{.seed = 2});
    EXPECT_EQ(same.companies(1, 2).at(4).name, site.companies(1, 2).at(4).name);
    EXPECT_EQ(same.companies(1, 2).at(4).phone, site.companies(1, 2).at(4).phone);
    EXPECT_NE(other.companies(1, 2).at(4).name, site.companies(1, 2).at(4).name);
}

TEST_F(SearchContentTest, PagesOutsideTheSearchAreNotFound) {
    for (const QString &target : {QStringLiteral("/vsearch/c?keywords=Widgets&page_num=4"),
                                  QStringLiteral("/search/results/companies/?keywords=Widgets&page_num=0"),
                                  QStringLiteral("/vsearch/c?page_num=two")}) {
        const httplib::Result result = Get(target);
        ASSERT_TRUE(result) << target.toStdString();
        EXPECT_EQ(result->status, 404) << target.toStdString();
    }
    EXPECT_TRUE(site.companies(1, 4).isEmpty());
}

} // namespace
