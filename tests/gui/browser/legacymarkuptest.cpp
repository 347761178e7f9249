#include "panetestbase.h"

namespace {

class LegacyMarkup : public PaneTestBase {
protected:
    QString bodyOf(const QString &fileName) {
        if (!loadPage(fileName)) {
            ADD_FAILURE() << "the page did not load: " << fileName.toStdString();
            return {};
        }
        const MarkupResult result = read();
        EXPECT_TRUE(result.ok()) << result.error.toStdString();
        return result.markup;
    }
};

TEST_F(LegacyMarkup, FirstLayoutPageUsesUpperCaseNamesAndBareSimpleValues) {
    const QString markup = bodyOf(QStringLiteral("layout1.html"));

    EXPECT_TRUE(markup.startsWith(u"<BODY>")) << markup.left(40).toStdString();
    EXPECT_TRUE(markup.endsWith(u"</BODY>")) << markup.right(40).toStdString();
    EXPECT_TRUE(
        markup.contains(u"<INPUT type=text id=main-search-box value=Software autocomplete=\"off\" name=keywords-one>"));
    EXPECT_TRUE(markup.contains(u"<DIV id=results_count class=\"results count\">About 2 results</DIV>"));
    EXPECT_TRUE(
        markup.contains(u"<H3><A href=\"/company/1001?trk=ncsrch_hits&amp;goback=1\">Acme &amp; Sons</A></H3>"));
    EXPECT_TRUE(markup.contains(u"Baker <B>Ltd</B></A>"));
    EXPECT_TRUE(markup.contains(u"<!-- result entries -->"));
    EXPECT_TRUE(markup.contains(u"<P>Leeds&nbsp;— Software</P><BR><IMG src=\"/logo.png\" alt=\"Acme logo\"></LI>"));
    EXPECT_TRUE(markup.contains(u"<A href=\"/search/c?page_num=2&amp;keywords=software\">Next &gt;</A>"));
    // Script text stays raw, and the markup is read after the page's scripts ran.
    EXPECT_TRUE(markup.contains(u"if (limit < 5 && limit > 1)"));
    EXPECT_TRUE(markup.contains(u"<SPAN id=added>late &lt;text&gt;</SPAN>"));
    EXPECT_FALSE(markup.contains(u"</BR>"));
    EXPECT_FALSE(markup.contains(u"</IMG>"));
    EXPECT_FALSE(markup.contains(u"</INPUT>"));
}

TEST_F(LegacyMarkup, FirstLayoutCarriesTheMarkersOfItsReaders) {
    const QString lower = bodyOf(QStringLiteral("layout1.html")).toLower();

    EXPECT_TRUE(lower.contains(u"results_count"));
    EXPECT_TRUE(lower.contains(u"nav-footer"));
    EXPECT_TRUE(lower.contains(u"&gt;</a>"));
    EXPECT_TRUE(lower.contains(u"<h3><a href=\""));
    EXPECT_FALSE(lower.contains(u"id=results-summary>"));
}

TEST_F(LegacyMarkup, SecondLayoutPageKeepsUnknownAttributesQuoted) {
    const QString markup = bodyOf(QStringLiteral("layout2.html"));

    EXPECT_TRUE(markup.contains(u"<INPUT id=keyword-box name=keywords value=\"cloud hosting\" autocomplete=\"off\">"));
    EXPECT_TRUE(markup.contains(u"<DIV class=summary id=results-summary><P>12 results</P></DIV>"));
    EXPECT_TRUE(markup.contains(u"<H2><A href=\"/company/2001/\">Cirrus Hosting</A></H2>"));
    EXPECT_TRUE(
        markup.contains(u"<H2><A href=\"http://127.0.0.1/company/2002/\" title=Nimbus>Nimbus&nbsp;Ltd</A></H2>"));
    EXPECT_TRUE(markup.contains(u"<A href=\"/search/c?page_num=3\">Next&nbsp;»</A>"));
    EXPECT_TRUE(markup.contains(u"nav-footer"));
}

TEST_F(LegacyMarkup, PageScriptsCannotAlterTheSerialisation) {
    const QString markup = bodyOf(QStringLiteral("hostile.html"));

    // The overriding script itself is part of the body; nothing else may show its effect.
    EXPECT_TRUE(markup.startsWith(u"<BODY>\n<H2><A href=\"/company/3001/\">Overridden &amp; Co</A></H2>"));
    EXPECT_TRUE(markup.contains(u"<SCRIPT>\nArray.prototype.join = function () { return 'hijacked'; };"));
    EXPECT_TRUE(markup.endsWith(u"</BODY>")) << markup.right(40).toStdString();
    EXPECT_TRUE(markup.contains(u"<H2><A href=\"/company/3001/\">Overridden &amp; Co</A></H2>"));
}

TEST_F(LegacyMarkup, AnchorTextsOccurInTheBodyMarkup) {
    for (const QString &page : {QStringLiteral("layout1.html"), QStringLiteral("layout2.html")}) {
        const QString markup = bodyOf(page);
        const int count = linkCount();
        ASSERT_GT(count, 1) << page.toStdString();
        for (int i = 0; i < count; ++i) {
            const std::optional<LinkInfo> anchor = link(i);
            ASSERT_TRUE(anchor.has_value());
            EXPECT_TRUE(markup.contains(anchor->innerHtml)) << anchor->innerHtml.toStdString();
        }
    }
}

} // namespace
