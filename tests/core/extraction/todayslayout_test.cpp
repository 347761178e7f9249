#include "core/account/challenge.h"
#include "core/extraction/resultcards.h"
#include "core/net/fetchresult.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString site = u"https://www.linkedin.com"_s;

TEST(CanonicalCompanyLink, OnlyCompanyPagesOfTheSiteWithQueryAndFragmentDropped) {
    const struct {
        const char16_t *address;
        const char16_t *link;
    } cases[] = {
        {u"https://www.linkedin.com/company/acme/", u"https://www.linkedin.com/company/acme/"},
        {u"https://www.linkedin.com/company/acme?trk=x#top", u"https://www.linkedin.com/company/acme/"},
        {u"https://de.linkedin.com/company/acme-gmbh/about/", u"https://www.linkedin.com/company/acme-gmbh/"},
        {u"https://www.linkedin.com/company/caf%C3%A9-m%C3%BCller/",
         u"https://www.linkedin.com/company/caf%C3%A9-m%C3%BCller/"},
        {u"https://www.linkedin.com:443/company/acme/", u"https://www.linkedin.com/company/acme/"},
        {u"http://www.linkedin.com/company/acme/", u""},
        {u"https://www.linkedin.com.evil.example/company/acme/", u""},
        {u"https://evillinkedin.com/company/acme/", u""},
        {u"https://user@www.linkedin.com/company/acme/", u""},
        {u"https://www.linkedin.com/company/", u""},
        {u"https://www.linkedin.com/company/../in/someone", u""},
        {u"https://www.linkedin.com/in/someone/", u""},
        {u"https://www.linkedin.com/companyx/acme/", u""},
        {u"https://www.linkedin.com:8443/company/acme/", u""},
        {u"/company/acme/", u""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(CanonicalCompanyLink(QString::fromUtf16(c.address), site), QString::fromUtf16(c.link))
            << QString::fromUtf16(c.address).toStdString();
    }
    EXPECT_EQ(CanonicalCompanyLink(u"http://127.0.0.1:8080/company/a-1/"_s, u"http://127.0.0.1:8080"_s),
              u"http://127.0.0.1:8080/company/a-1/");
    EXPECT_EQ(CanonicalCompanyLink(u"http://127.0.0.1:9090/company/a-1/"_s, u"http://127.0.0.1:8080"_s), u"");
}

TEST(ParseCardsPage, KeepsCompanyCardsInOrderAndReadsThePageFlags) {
    const QByteArray json = R"({"cards":[
        {"href":"https://www.linkedin.com/company/b/?x=1","name":"  Beta \n Co ","subtitle":"IT \u2022 Paris","followers":"1,234 followers"},
        {"href":"https://www.linkedin.com/in/person/","name":"Someone"},
        {"href":"https://www.linkedin.com/company/a/","name":"Alpha"}],
        "noResults":false,"commercialLimit":false,"next":{"present":true,"disabled":true}})";
    const std::optional<CardsPage> page = ParseCardsPage(json, site);
    ASSERT_TRUE(page);
    ASSERT_EQ(page->cards.size(), 2);
    EXPECT_EQ(page->cards[0].link, u"https://www.linkedin.com/company/b/");
    EXPECT_EQ(page->cards[0].name, u"Beta Co");
    EXPECT_EQ(page->cards[0].followers, u"1,234 followers");
    EXPECT_EQ(page->cards[1].name, u"Alpha");
    EXPECT_TRUE(page->nextPresent);
    EXPECT_TRUE(page->nextDisabled);

    for (const QByteArray &bad : {QByteArray("[]"), QByteArray("{"), QByteArray("null"), QByteArray()}) {
        EXPECT_FALSE(ParseCardsPage(bad, site)) << bad.constData();
    }
    const std::optional<CardsPage> odd = ParseCardsPage(R"({"cards":{"href":1},"next":7,"noResults":"yes"})", site);
    ASSERT_TRUE(odd);
    EXPECT_TRUE(odd->cards.isEmpty());
    EXPECT_FALSE(odd->noResults);
}

TEST(SearchAddress, TodaysSearchItsKeywordsAndItsPages) {
    EXPECT_TRUE(IsCompanySearchAddress(u"https://www.linkedin.com/search/results/companies/?keywords=a"_s, site));
    EXPECT_TRUE(IsCompanySearchAddress(u"https://www.linkedin.com/search/results/companies?page=2"_s, site));
    EXPECT_FALSE(IsCompanySearchAddress(u"https://www.linkedin.com/search/results/people/?keywords=a"_s, site));
    EXPECT_FALSE(IsCompanySearchAddress(u"https://example.com/search/results/companies/"_s, site));

    const struct {
        const char16_t *address;
        const char16_t *keywords;
    } keywords[] = {
        {u"https://x/search/results/companies/?keywords=caf%C3%A9%20bars&origin=X", u"café bars"},
        {u"https://x/search/results/companies/?keywords=a+b%2Bc", u"a b+c"},
        {u"https://x/search/results/companies/?origin=X", u""},
    };
    for (const auto &c : keywords) {
        EXPECT_EQ(SearchKeywords(QString::fromUtf16(c.address)), QString::fromUtf16(c.keywords));
    }

    const struct {
        const char16_t *address;
        int number;
        const char16_t *next;
    } pages[] = {
        {u"https://x/search/results/companies/?keywords=a%20b&origin=X", 1,
         u"https://x/search/results/companies/?keywords=a%20b&origin=X&page=2"},
        {u"https://x/search/results/companies/?keywords=a&page=7&sid=q", 7,
         u"https://x/search/results/companies/?keywords=a&page=8&sid=q"},
        {u"https://x/search/results/companies/?page=0&keywords=a&page=3", 1,
         u"https://x/search/results/companies/?page=2&keywords=a"},
        {u"https://x/search/results/companies/?page=abc", 1, u"https://x/search/results/companies/?page=2"},
    };
    for (const auto &c : pages) {
        const QString address = QString::fromUtf16(c.address);
        EXPECT_EQ(SearchPageNumber(address), c.number) << address.toStdString();
        EXPECT_EQ(SearchPageAddress(address, c.number + 1), QString::fromUtf16(c.next)) << address.toStdString();
    }
    EXPECT_EQ(SubtitleIndustry(u"Software Development \u2022 Munich, Bavaria"), u"Software Development");
    EXPECT_EQ(SubtitleIndustry(u"Munich"), u"");
}

TEST(Challenge, AddressesAndRepliesThatStopARun) {
    const struct {
        const char16_t *address;
        Challenge challenge;
    } addresses[] = {
        {u"https://www.linkedin.com/checkpoint/challenge/AgE?x=1", Challenge::SecurityCheck},
        {u"https://www.linkedin.com/authwall?trk=bf", Challenge::SignedOut},
        {u"https://www.linkedin.com/login?session_redirect=x", Challenge::SignedOut},
        {u"https://www.linkedin.com/uas/login", Challenge::SignedOut},
        {u"https://www.linkedin.com/login-help/", Challenge::None},
        {u"https://www.linkedin.com/company/login/", Challenge::None},
        {u"https://www.linkedin.com/search/results/companies/", Challenge::None},
    };
    for (const auto &c : addresses) {
        EXPECT_EQ(ChallengeOfAddress(QString::fromUtf16(c.address)), c.challenge)
            << QString::fromUtf16(c.address).toStdString();
    }

    FetchResult reply;
    reply.effectiveUrl = u"https://www.linkedin.com/company/a/"_s;
    reply.text = u"<p>Acme</p>"_s;
    EXPECT_EQ(ChallengeOfReply(reply), Challenge::None);
    reply.text = u"You've reached the monthly Commercial Use Limit"_s;
    EXPECT_EQ(ChallengeOfReply(reply), Challenge::CommercialUseLimit);
    reply.effectiveUrl = u"https://www.linkedin.com/checkpoint/challenge/x"_s;
    EXPECT_EQ(ChallengeOfReply(reply), Challenge::SecurityCheck);
    reply.error = FetchError::HttpStatus;
    reply.httpStatus = 429;
    EXPECT_EQ(ChallengeOfReply(reply), Challenge::TooManyRequests);
    // The sign-in wall of a fetch is no challenge: the member's session may still read the page.
    reply = {};
    reply.effectiveUrl = u"https://www.linkedin.com/authwall?trk=x"_s;
    EXPECT_EQ(ChallengeOfReply(reply), Challenge::None);
}

} // namespace
