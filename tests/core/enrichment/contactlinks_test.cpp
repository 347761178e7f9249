#include "core/enrichment/contactlinks.h"
#include "core/enrichment/emailaddresses.h"
#include "enrichmentsite.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList keywords{QStringLiteral("contact"), QStringLiteral("customer service"), QStringLiteral("about")};

QStringList Find(const QString &page) {
    return FindContactLinks(page, keywords, keywords);
}

TEST(FindContactLinks, MatchesLinkTextOrTargetInAnyLetterCase) {
    EXPECT_EQ(Find(QStringLiteral(R"(<a href="/team">CONTACT US</a> <a href="/Company/About-Us">Team</a>)")),
              (QStringList{QStringLiteral("/team"), QStringLiteral("/Company/About-Us")}));
    EXPECT_EQ(Find(QStringLiteral(R"(<a href="/cs">Our Customer Service desk</a>)")), QStringList{u"/cs"_s});
    EXPECT_TRUE(Find(QStringLiteral(R"(<a href="/shop">Shop</a>)")).isEmpty());
}

TEST(FindContactLinks, FindsBothQuoteStylesAndAnyAttributeCase) {
    const QString page =
        QStringLiteral(R"(<A HREF='contact.html'>x</A><a Href="/about">y</a><a hReF="/contact-2">z</a>)");

    EXPECT_EQ(Find(page), (QStringList{u"contact.html"_s, u"/about"_s, u"/contact-2"_s}));
}

TEST(FindContactLinks, IgnoresBlanksAroundEqualsAndUnquotedTargets) {
    EXPECT_TRUE(Find(QStringLiteral(R"(<a href = "/contact">Contact</a><a href=/contact>Contact</a>)")).isEmpty());
}

TEST(FindContactLinks, LinkTextEndsAtTheNextTag) {
    // The anchor's content starts with a tag, so only the target can match.
    EXPECT_TRUE(Find(QStringLiteral(R"(<a href="/x"><span>Contact</span></a>)")).isEmpty());
    EXPECT_EQ(Find(QStringLiteral(R"(<a href="/x" class="nav">Contact</a>)")), QStringList{u"/x"_s});
}

TEST(FindContactLinks, KeepsTheFirstOfEqualLinksInPageOrder) {
    const QString page =
        QStringLiteral(R"(<a href="/Contact">Contact</a><a href='/about'>About</a><a href="/contact">x</a>)");

    EXPECT_EQ(Find(page), (QStringList{u"/Contact"_s, u"/about"_s}));
}

TEST(FindContactLinks, AmpersandReferencesInTheTargetAreDecoded) {
    EXPECT_EQ(Find(QStringLiteral(R"(<a href="/contact.php?lang=en&amp;page=2&amp;x">Contact</a>)")),
              QStringList{u"/contact.php?lang=en&page=2&x"_s});
    // Decoded before the comparison, so the two spellings are one link.
    EXPECT_EQ(Find(QStringLiteral(R"(<a href='/contact?a&amp;b'>x</a><a href="/contact?a&b">y</a>)")),
              QStringList{u"/contact?a&b"_s});
}

TEST(FindContactLinks, EmptyTargetsAndUnclosedQuotesEndCleanly) {
    EXPECT_EQ(Find(QStringLiteral(R"(<a href="">Contact</a><a href="/contact">Contact</a><a href="/about)")),
              QStringList{u"/contact"_s});
}

TEST(FindContactLinks, ManyLinksOfOneStyleStayLinear) {
    QString page;
    for (int i = 0; i < 20000; ++i) {
        page += QStringLiteral(R"(<a href="/p%1">Page</a>)").arg(i);
    }
    page += QStringLiteral("<a href='/contact'>Contact</a>");

    EXPECT_EQ(Find(page), QStringList{u"/contact"_s});
}

TEST(ResolveContactLink, AbsoluteHttpAndHttpsLinksAreKept) {
    const QString site = QStringLiteral("http://acme.example");
    EXPECT_EQ(ResolveContactLink(site, u"http://other.example/Contact"_s), u"http://other.example/Contact");
    EXPECT_EQ(ResolveContactLink(site, u"https://acme.example/contact"_s), u"https://acme.example/contact");
    EXPECT_EQ(ResolveContactLink(site, u"HTTPS://acme.example/contact"_s), u"HTTPS://acme.example/contact");
}

TEST(ResolveContactLink, RelativeLinksResolveAgainstTheSite) {
    EXPECT_EQ(ResolveContactLink(u"http://acme.example"_s, u"/contact.html"_s), u"http://acme.example/contact.html");
    EXPECT_EQ(ResolveContactLink(u"http://acme.example"_s, u"contact.html"_s), u"http://acme.example/contact.html");
    EXPECT_EQ(ResolveContactLink(u"http://acme.example/"_s, u"/contact.html"_s), u"http://acme.example/contact.html");
    EXPECT_EQ(ResolveContactLink(u"https://acme.example/en/index.html"_s, u"contact.html"_s),
              u"https://acme.example/en/contact.html");
    EXPECT_EQ(ResolveContactLink(u"https://acme.example/en/"_s, u"../contact?x=1"_s),
              u"https://acme.example/contact?x=1");
    EXPECT_EQ(ResolveContactLink(u"http://acme.example"_s, u"//cdn.example/contact"_s), u"http://cdn.example/contact");
}

TEST(ResolveContactLink, SiteWithoutSchemeIsTakenAsHttp) {
    EXPECT_EQ(ResolveContactLink(u"www.acme.example"_s, u"contact"_s), u"http://www.acme.example/contact");
}

TEST(ResolveContactLink, OtherSchemesStayAsWrittenAndAreNotFetchable) {
    const QString site = QStringLiteral("http://acme.example");
    for (const QString &link : {u"mailto:info@acme.example"_s, u"javascript:void(0)"_s, u"tel:+3312345"_s}) {
        EXPECT_EQ(ResolveContactLink(site, link), link);
        EXPECT_FALSE(IsFetchableLink(ResolveContactLink(site, link))) << link.toStdString();
    }
    EXPECT_TRUE(IsFetchableLink(u"http://acme.example/contact"_s));
    EXPECT_TRUE(IsFetchableLink(u"HTTPS://acme.example/contact"_s));
    EXPECT_TRUE(ResolveContactLink(site, QString()).isEmpty());
}

TEST(DocumentBaseUrl, PageWithoutBaseElementResolvesAgainstItsOwnAddress) {
    const QString page = u"https://www.acme.example/en/"_s;
    EXPECT_EQ(DocumentBaseUrl(page, u"<html><head><title>x</title></head></html>"_s), page);
    EXPECT_EQ(DocumentBaseUrl(page, u"<base target=\"_blank\"><basefont href=\"/x/\">"_s), page);
    EXPECT_EQ(DocumentBaseUrl(page, u"<base href=\"\">"_s), page);
}

TEST(DocumentBaseUrl, FirstBaseElementWithAnHrefWins) {
    const QString page = u"https://www.acme.example/en/index.html"_s;
    struct Case {
        QString markup;
        QString base;
    };
    const Case cases[] = {
        {uR"(<head><base href="https://cdn.acme.example/site/"></head>)"_s, u"https://cdn.acme.example/site/"_s},
        {uR"(<HEAD><BASE HREF='/de/'></HEAD>)"_s, u"https://www.acme.example/de/"_s},
        {uR"(<base target="_top" href=../fr/>)"_s, u"https://www.acme.example/fr/"_s},
        {uR"(<base target="_top"><base href="/a/"><base href="/b/">)"_s, u"https://www.acme.example/a/"_s},
        {uR"(<base href = "/c/?x=1&amp;y=2">)"_s, u"https://www.acme.example/c/?x=1&y=2"_s},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(DocumentBaseUrl(page, c.markup), c.base) << c.markup.toStdString();
    }
}

TEST(DocumentBaseUrl, BaseThatIsNoWebAddressIsIgnored) {
    const QString page = u"http://acme.example/"_s;
    EXPECT_EQ(DocumentBaseUrl(page, u"<base href=\"mailto:info@acme.example\">"_s), page);
    EXPECT_EQ(DocumentBaseUrl(page, u"<base href=\"javascript:void(0)\">"_s), page);
}

QStringList Addresses(const QString &page, QStringList list = {}) {
    AppendEmailAddresses(page, list);
    return list;
}

TEST(EmailAddresses, CollectsEveryAddressShapeInPageOrder) {
    EXPECT_EQ(Addresses(u"Sales: sales@acme.example, Jo: jo.v-d_b@mail.acme.co.uk"_s),
              (QStringList{u"sales@acme.example"_s, u"jo.v-d_b@mail.acme.co.uk"_s}));
    EXPECT_TRUE(Addresses(u"user@localhost and @acme.example and user@"_s).isEmpty());
}

TEST(EmailAddresses, SentenceStopAndMailtoPrefixAreNotPartOfTheAddress) {
    EXPECT_EQ(Addresses(u"Write to info@acme.example."_s), QStringList{u"info@acme.example"_s});
    EXPECT_EQ(Addresses(uR"(<a href="mailto:sales@acme.example">)"_s), QStringList{u"sales@acme.example"_s});
}

TEST(EmailAddresses, EqualAddressesInOtherCaseAreListedOnce) {
    EXPECT_EQ(Addresses(u"Info@Acme.example info@acme.example"_s, {u"x@y.example"_s}),
              (QStringList{u"x@y.example"_s, u"Info@Acme.example"_s}));
    EXPECT_EQ(Addresses(u"X@Y.EXAMPLE"_s, {u"x@y.example"_s}), QStringList{u"x@y.example"_s});
}

TEST(EmailAddresses, FileNamesWithAnAtSignAreDropped) {
    const QString page = QStringLiteral(
        R"(<img src="logo@2x.png"> <img src="hero@3X.JPG"> a@b.jpeg c@d.gif e@f.svg g@h.webp i@j.bmp k@l.ico )"
        R"(<link href="site@1.2.css"> <script src="app@4.min.js"></script> real@acme.example)");

    EXPECT_EQ(Addresses(page), QStringList{u"real@acme.example"_s});
    EXPECT_EQ(Addresses(u"pngs@acme.example js@acme.jsx"_s), (QStringList{u"pngs@acme.example"_s, u"js@acme.jsx"_s}));
}

} // namespace
