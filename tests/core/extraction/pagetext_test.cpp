#include "core/app/endpoints.h"
#include "core/browser/browserpane.h"
#include "core/extraction/companylink.h"
#include "core/extraction/nextpage.h"
#include "core/extraction/pagekeyword.h"
#include "core/extraction/pagelayout.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct TextCase {
    const char16_t *page;
    const char16_t *expected;
};

TEST(DetectLayout, MarkersDecideIgnoringCaseAndTheSecondLayoutWins) {
    const struct {
        const char16_t *page;
        PageLayout layout;
    } cases[] = {
        {u"<DIV id=results_count>3</DIV><DIV id=nav-footer></DIV>", PageLayout::First},
        {u"<div ID=RESULTS_COUNT></div><DIV class=NAV-FOOTER>", PageLayout::First},
        {u"<DIV id=results-summary>9</DIV><DIV id=nav-footer>", PageLayout::Second},
        {u"results_count id=results-summary> nav-footer", PageLayout::Second},
        {u"<DIV id=results_count>3</DIV>", PageLayout::None},
        {u"<DIV id=\"results-summary\">9</DIV><DIV id=nav-footer>", PageLayout::None},
        {u"", PageLayout::None},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(DetectLayout(QStringView(c.page)), c.layout) << QString::fromUtf16(c.page).toStdString();
    }
}

TEST(HasNextPageMarker, EachLayoutHasItsOwnMarkerFoundIgnoringCase) {
    EXPECT_TRUE(HasNextPageMarker(u"<A href=\"x\">Next &gt;</a>", PageLayout::First));
    EXPECT_TRUE(HasNextPageMarker(u"<A href=\"x\">NEXT &GT;</A>", PageLayout::First));
    EXPECT_FALSE(HasNextPageMarker(u"<A href=\"x\">Next &gt; </A>", PageLayout::First));
    EXPECT_FALSE(HasNextPageMarker(u"Next&nbsp;\u00bb", PageLayout::First));
    EXPECT_TRUE(HasNextPageMarker(u"Next&NBSP;\u00bb</A>", PageLayout::Second));
    EXPECT_FALSE(HasNextPageMarker(u"Next \u00bb", PageLayout::Second));
    EXPECT_FALSE(HasNextPageMarker(u"&gt;</a>&nbsp;\u00bb", PageLayout::None));
}

TEST(PageKeyword1, ValueOfTheSearchBoxWithoutItsOtherAttributes) {
    const TextCase cases[] = {
        {u"<INPUT id=main-search-box name=keywords value=Widgets autocomplete=\"off\">", u"Widgets"},
        {u"<INPUT id=main-search-box value=\"big data\" name=keywords>", u"big data"},
        {u"<INPUT id=main-search-box type=text value=\"  caf\u00e9 \" >", u"caf\u00e9"},
        // The placeholder texts, and any keyword holding them, count as none.
        {u"<INPUT id=main-search-box value=\"Search companies\">", u""},
        {u"<INPUT id=main-search-box value=\"Research Search\">", u""},
        {u"<INPUT id=main-search-box value=\"Ricerca aziende\">", u""},
        {u"<INPUT id=main-search-box value=\"research labs\">", u"research labs"},
        // The box is recognised only with its exact letter case.
        {u"<INPUT id=MAIN-SEARCH-BOX value=Widgets>", u""},
        {u"<INPUT name=keywords value=Widgets>", u""},
        // The first "value" behind the box is the one read.
        {u"<INPUT id=main-search-box><INPUT value=Later>", u"Later"},
    };
    for (const TextCase &c : cases) {
        EXPECT_EQ(PageKeyword1(QString::fromUtf16(c.page)), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.page).toStdString();
    }
}

TEST(PageKeyword2, ValueInsideTheKeywordFieldTagOnly) {
    const TextCase cases[] = {
        {u"<INPUT name=keywords value=Widgets autocomplete=\"off\">", u"Widgets"},
        {u"<INPUT name=keywords value=\"big data\" autocomplete=\"off\" class=x>", u"big data  class=x"},
        {u"<INPUT name=keywords value=\"Search\">", u""},
        {u"<INPUT name=keywords value=\"Ricerca\">", u""},
        // A "value=" outside the field's tag is never taken.
        {u"<INPUT name=keywords type=text><P value=Other>x</P>", u""},
        {u"<INPUT name=\"keywords\" value=Widgets>", u""},
        {u"<P>no field</P>", u""},
    };
    for (const TextCase &c : cases) {
        EXPECT_EQ(PageKeyword2(QString::fromUtf16(c.page)), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.page).toStdString();
    }
}

TEST(CompanyLink, RelativePathsFollowTheSiteAbsoluteAddressesStayAsTheyAre) {
    Endpoints endpoints;
    endpoints.linkedInHttps = u"https://www.linkedin.com"_s;
    endpoints.linkedInHttp = u"http://www.linkedin.com"_s;
    const struct {
        QString path;
        QString first;
        QString second;
    } cases[] = {
        {u"/company/acme?trk=x"_s, u"https://www.linkedin.com/company/acme?trk=x"_s,
         u"http://www.linkedin.com/company/acme?trk=x"_s},
        {u""_s, u"https://www.linkedin.com"_s, u"http://www.linkedin.com"_s},
        // An absolute address, whatever its host and scheme, is not prefixed again.
        {u"https://www.linkedin.com/company/x"_s, u"https://www.linkedin.com/company/x"_s,
         u"https://www.linkedin.com/company/x"_s},
        {u"HTTP://other.example/c"_s, u"HTTP://other.example/c"_s, u"HTTP://other.example/c"_s},
        // A path naming the host is taken as it is by the first layout only.
        {u"//www.linkedin.com/company/y"_s, u"//www.linkedin.com/company/y"_s,
         u"http://www.linkedin.com//www.linkedin.com/company/y"_s},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(CompanyLink1(c.path, endpoints), c.first) << c.path.toStdString();
        EXPECT_EQ(CompanyLink2(c.path, endpoints), c.second) << c.path.toStdString();
    }
}

TEST(IsNextPageLink, AllFiveConditionsMustHold) {
    const QString markup = u"<A href=\"/s?page_num=2\">Next &gt;</A> <A>2 \u00bb</A> <A>Ads &gt;</A>"_s;
    const struct {
        LinkInfo link;
        bool expected;
    } cases[] = {
        {{u"Next &gt;"_s, u"http://h/s?page_num=2"_s}, true},
        {{u"2 \u00bb"_s, u"http://h/s?page_num=2"_s}, true},
        {{u"2 \u00bb"_s, u"http://h/s?more=1"_s}, false},
        {{u"Next"_s, u"http://h/s?page_num=2"_s}, false},
        {{u"Ads &gt;"_s, u"http://h/ads?page_num=2"_s}, false},
        {{u"View &gt;"_s, u"http://h/s?page_num=2"_s}, false},
        {{u"Gruppi &gt;"_s, u"http://h/s?page_num=2"_s}, false},
        {{u"Next &gt;"_s, u"http://h/Groups?page_num=2"_s}, false},
        {{u"Next &gt;"_s, u"http://h/groups?page_num=2"_s}, true},
        // Text a script added after the page was read is not in the parsed markup.
        {{u"More &gt;"_s, u"http://h/s?page_num=3"_s}, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IsNextPageLink(c.link, markup), c.expected)
            << c.link.innerHtml.toStdString() << " " << c.link.href.toStdString();
    }
}

} // namespace
