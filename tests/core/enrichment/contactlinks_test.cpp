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
