#include "core/enrichment/emailharvester.h"
#include "enrichmentsite.h"
#include "support/testcertificate.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class EmailHarvest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(site.isRunning()); }

    QString Harvest(const QByteArray &homePage) {
        site.Serve(u"/"_s, homePage);
        return HarvestSite(site.Base());
    }
    QString HarvestSite(const QString &website) {
        return QCoro::waitFor(harvester.GetEmailsFromWebsite(website, transport.stop));
    }

    QStringList ContactPaths() const {
        QStringList paths = site.Paths();
        paths.removeAll(u"/"_s);
        return paths;
    }

    void RequestStop() { transport.stop.request(); }

    SiteServer site;
    LoopbackTransport transport;
    RecordingFetcher fetcher{transport.downloader};
    EmailHarvester harvester{transport.test.context.settings, fetcher};
};

TEST_F(EmailHarvest, HomePageWithNothingGivesEmptyText) {
    EXPECT_TRUE(Harvest("<html><body><a href=\"/shop\">Shop</a></body></html>").isEmpty());
    EXPECT_EQ(site.Paths(), QStringList{u"/"_s});
}

TEST_F(EmailHarvest, HomePageIsADirectFetchAndContactPagesArePaced) {
    site.Serve(u"/contact"_s, "x");
    Harvest(R"(<a href="/contact">Contact</a>)");

    ASSERT_EQ(fetcher.calls.size(), 2);
    EXPECT_TRUE(fetcher.calls[0].direct);
    EXPECT_EQ(fetcher.calls[0].url, site.Base());
    EXPECT_FALSE(fetcher.calls[0].useUtf8);
    EXPECT_FALSE(fetcher.calls[1].direct);
    EXPECT_EQ(fetcher.calls[1].url, site.Url(u"/contact"_s));
    EXPECT_FALSE(fetcher.calls[1].useUtf8);
}

TEST_F(EmailHarvest, AddressesFromHomeAndContactPagesJoinOnceInOrderFound) {
    site.Serve(u"/contact.html"_s, "Or write to INFO@ACME.EXAMPLE or to press@acme.example.");
    const QString result = Harvest(R"(<p>info@acme.example</p><a href="/contact.html">Contact</a>
        <p>Sales: <a href="mailto:sales@acme.example">sales@acme.example</a>. Again: info@acme.example</p>
        <img src="/img/logo@2x.png">)");

    EXPECT_EQ(result, u"info@acme.example;sales@acme.example;press@acme.example");
    EXPECT_EQ(harvester.EmailList().size(), 3);
}

TEST_F(EmailHarvest, HiddenAddressesFollowThePlainOnesWithTheirPagesAndProfiles) {
    site.Serve(u"/contact"_s, "Write to office [at] acme [dot] com or sales@acme.com. "
                              "<a href=\"https://twitter.com/acme\">X</a>");
    const QString result = Harvest(R"(<p>jane@acme.com</p><a href="/contact">Contact</a>
        <a href="mailto:sales%40acme.com">Mail</a><a href="https://www.linkedin.com/company/acme">in</a>)");

    EXPECT_EQ(result, u"jane@acme.com;sales@acme.com;office@acme.com");
    const QString home = harvester.emailSources().value(0);
    EXPECT_TRUE(home.startsWith(site.Base())) << qPrintable(home);
    EXPECT_EQ(harvester.emailSources(), (QStringList{home, site.Url(u"/contact"_s), site.Url(u"/contact"_s)}));
    EXPECT_EQ(harvester.socialLinks(), u"https://www.linkedin.com/company/acme;https://twitter.com/acme"_s);
}

TEST_F(EmailHarvest, HomePageFetchFailureGivesEmptyText) {
    site.Fail(u"/"_s);
    EXPECT_TRUE(HarvestSite(site.Base()).isEmpty());
    EXPECT_EQ(fetcher.calls.size(), 1);
}

TEST_F(EmailHarvest, WithHarvestSwitchedOffOnlyTheLinksAreCollected) {
    transport.test.context.settings.cExtractEmails = false;
    site.Serve(u"/contact"_s, "x@contact.example");

    EXPECT_TRUE(Harvest(R"(info@acme.example <a href="/contact">Contact</a>)").isEmpty());
    EXPECT_EQ(harvester.ContactPagesList(), QStringList{site.Url(u"/contact"_s)});
    EXPECT_TRUE(ContactPaths().isEmpty());
}

TEST_F(EmailHarvest, NextCallStartsWithEmptyLists) {
    Harvest(R"(first@acme.example <a href="/contact">Contact</a>)");
    EXPECT_EQ(Harvest("second@acme.example"), u"second@acme.example");
    EXPECT_TRUE(harvester.ContactPagesList().isEmpty());
}

TEST_F(EmailHarvest, KeywordListsHoldTheSixteenLines) {
    const QStringList expected{u"contact"_s,    u"contatto"_s,        u"contatti"_s,   u"support"_s,
                               u"call"_s,       u"email"_s,           u"directions"_s, u"customer service"_s,
                               u"help"_s,       u"client services"_s, u"support"_s,    u"help"_s,
                               u"affiliates"_s, u"resellers"_s,       u"survey"_s,     u"about"_s};
    EXPECT_EQ(harvester.lAnchors(), expected);
    EXPECT_EQ(harvester.lURLs(), expected);
}

class ContactPages : public EmailHarvest {};

TEST_F(ContactPages, RelativeLinksWithAndWithoutSlashResolveAgainstTheSite) {
    site.Serve(u"/contact.html"_s, "a@acme.example");
    site.Serve(u"/about"_s, "b@acme.example");
    const QString result = Harvest(R"(<a href="/contact.html">Contact</a> <A HREF='about'>Who we are</A>)");

    EXPECT_EQ(harvester.ContactPagesList(), (QStringList{site.Url(u"/contact.html"_s), site.Url(u"/about"_s)}));
    EXPECT_EQ(result, u"a@acme.example;b@acme.example");
}

TEST_F(ContactPages, SiteAddressEndingInSlashGivesNoDoubledSlash) {
    site.Serve(u"/"_s, R"(<a href="/contact">Contact</a>)");
    site.Serve(u"/contact"_s, "a@acme.example");

    EXPECT_EQ(HarvestSite(site.Url(u"/"_s)), u"a@acme.example");
    EXPECT_EQ(ContactPaths(), QStringList{u"/contact"_s});
}

TEST_F(ContactPages, RelativeLinkOnADeeperPageResolvesLikeABrowser) {
    site.Serve(u"/en/index.html"_s, R"(<a href="contact.html">Contact</a>)");
    site.Serve(u"/en/contact.html"_s, "en@acme.example");

    EXPECT_EQ(HarvestSite(site.Url(u"/en/index.html"_s)), u"en@acme.example");
}

TEST_F(ContactPages, RelativeLinksResolveAgainstTheAddressTheHomePageWasReachedAt) {
    // The site's address redirects to another host's /en/, as http://example.com may send a
    // browser on to https://www.example.com/en/.
    SiteServer www;
    ASSERT_TRUE(www.isRunning());
    www.Serve(u"/en/"_s, R"(<a href="contact.html">Contact</a> <a href="/about">About</a>)");
    www.Serve(u"/en/contact.html"_s, "en@acme.example");
    www.Serve(u"/about"_s, "about@acme.example");
    site.Redirect(u"/"_s, www.Url(u"/en/"_s));

    EXPECT_EQ(HarvestSite(site.Base()), u"en@acme.example;about@acme.example");
    EXPECT_EQ(harvester.ContactPagesList(), (QStringList{www.Url(u"/en/contact.html"_s), www.Url(u"/about"_s)}));
    EXPECT_EQ(www.Paths(), (QStringList{u"/en/"_s, u"/en/contact.html"_s, u"/about"_s}));
    EXPECT_EQ(site.Paths(), QStringList{u"/"_s});
}

TEST_F(ContactPages, BaseElementOfTheHomePageDecides) {
    site.Serve(u"/de/kontakt.html"_s, "de@acme.example");
    const QString result =
        Harvest(R"(<html><head><base href="/de/"></head><body><a href="kontakt.html">Contact</a></body></html>)");

    EXPECT_EQ(result, u"de@acme.example");
    EXPECT_EQ(ContactPaths(), QStringList{u"/de/kontakt.html"_s});
}

TEST_F(ContactPages, AmpersandReferenceInALinkReachesTheSiteAsAnAmpersand) {
    site.Serve(u"/contact.php"_s, "a@acme.example");
    Harvest(R"(<a href="/contact.php?lang=en&amp;page=contact">Contact</a>)");

    QStringList targets = site.Targets();
    targets.removeAll(u"/"_s);
    EXPECT_EQ(targets, QStringList{u"/contact.php?lang=en&page=contact"_s});
}

TEST_F(ContactPages, AbsoluteHttpLinkIsFetchedAsWritten) {
    SiteServer other;
    ASSERT_TRUE(other.isRunning());
    other.Serve(u"/Support"_s, "help@other.example");
    const QString result = Harvest((uR"(<a href=")"_s + other.Url(u"/Support"_s) + uR"(">Help</a>)"_s).toUtf8());

    EXPECT_EQ(result, u"help@other.example");
    EXPECT_EQ(other.Paths(), QStringList{u"/Support"_s});
    EXPECT_TRUE(ContactPaths().isEmpty());
}

TEST_F(ContactPages, LinksWithBlanksAroundEqualsOrWithoutQuotesAreNotFound) {
    site.Serve(u"/contact"_s, "a@acme.example");

    EXPECT_TRUE(Harvest(R"(<a href = "/contact">Contact</a> <a href=/contact>Contact</a>)").isEmpty());
    EXPECT_TRUE(harvester.ContactPagesList().isEmpty());
}

TEST_F(ContactPages, MailtoLinkIsNotFetchedButUsesUpItsPlace) {
    for (const QString &page : {u"/contact"_s, u"/about"_s, u"/support"_s}) {
        site.Serve(page, (page.mid(1) + u"@acme.example"_s).toUtf8());
    }
    const QString result = Harvest(R"html(<a href="mailto:office@acme.example">Email us</a>
        <a href="javascript:void(0)">Call us</a> <a href="/contact">Contact</a> <a href="/about">About</a>)html");

    EXPECT_EQ(harvester.ContactPagesList().size(), 4);
    EXPECT_EQ(ContactPaths(), QStringList{u"/contact"_s});
    EXPECT_EQ(fetcher.calls.size(), 2);
    EXPECT_EQ(result, u"office@acme.example;contact@acme.example");
}

TEST_F(ContactPages, OnlyTheFirstThreeAreFetched) {
    for (const QString &page : {u"/contact"_s, u"/about"_s, u"/support"_s, u"/help"_s}) {
        site.Serve(page, (page.mid(1) + u"@acme.example"_s).toUtf8());
    }
    const QString result = Harvest(R"(<a href="/help">x</a><a href="/about">x</a><a href="/contact">x</a>)"
                                   R"(<a href="/support">x</a>)");

    EXPECT_EQ(ContactPaths(), (QStringList{u"/help"_s, u"/about"_s, u"/contact"_s}));
    EXPECT_EQ(result, u"help@acme.example;about@acme.example;contact@acme.example");
}

TEST_F(ContactPages, FailingPageAddsNothingAndTheNextIsTried) {
    site.Fail(u"/contact"_s, 404);
    site.Serve(u"/about"_s, "about@acme.example");
    const QString result = Harvest(R"(<a href="/contact">Contact</a><a href="/about">About</a>)");

    EXPECT_EQ(ContactPaths(), (QStringList{u"/contact"_s, u"/about"_s}));
    EXPECT_EQ(result, u"about@acme.example");
}

TEST_F(ContactPages, LinkMatchedByBothListsIsFetchedOnce) {
    site.Serve(u"/contact"_s, "a@acme.example");
    Harvest(R"(<a href="/contact">Contact us</a> <a href="/CONTACT">Write</a>)");

    EXPECT_EQ(harvester.ContactPagesList(), QStringList{site.Url(u"/contact"_s)});
    EXPECT_EQ(ContactPaths(), QStringList{u"/contact"_s});
}

TEST_F(ContactPages, AbsoluteHttpsLinkIsFetchedAsWritten) {
    const TestCertificate certificate;
    ASSERT_TRUE(certificate.isValid()) << certificate.errorString().toStdString();
    LoopbackServer https(certificate.certificateFile(), certificate.keyFile());
    https.server().Get("/contact", [](const httplib::Request &, httplib::Response &response) {
        response.set_content("secure@acme.example", "text/html");
    });
    ASSERT_TRUE(https.start());
    transport.downloader.setTls({true, certificate.certificateFile()});

    const QString link = https.url(u"/contact"_s);
    EXPECT_EQ(Harvest((uR"(<a href=")"_s + link + uR"(">Contact</a>)"_s).toUtf8()), u"secure@acme.example");
    EXPECT_EQ(harvester.ContactPagesList(), QStringList{link});
}

class HarvestStops : public EmailHarvest {};

TEST_F(HarvestStops, StopBeforeTheCallFetchesNothing) {
    RequestStop();
    EXPECT_TRUE(Harvest("a@acme.example").isEmpty());
    EXPECT_TRUE(fetcher.calls.isEmpty());
}

TEST_F(HarvestStops, StopDuringTheHomePageFetchesNoContactPage) {
    fetcher.afterFetch = [this](const QString &) {
        RequestStop();
    };
    EXPECT_TRUE(Harvest(R"(a@acme.example <a href="/contact">Contact</a>)").isEmpty());
    EXPECT_EQ(fetcher.calls.size(), 1);
}

TEST_F(HarvestStops, StopDuringAContactPageDropsWhatWasFound) {
    site.Serve(u"/contact"_s, "b@acme.example");
    site.Serve(u"/about"_s, "c@acme.example");
    fetcher.afterFetch = [this](const QString &url) {
        if (url.endsWith(u"/contact"_s)) {
            RequestStop();
        }
    };

    EXPECT_TRUE(Harvest(R"(a@acme.example <a href="/contact">Contact</a><a href="/about">About</a>)").isEmpty());
    EXPECT_EQ(fetcher.calls.size(), 2);
    EXPECT_EQ(harvester.EmailList(), (QStringList{u"a@acme.example"_s, u"b@acme.example"_s}));
}

} // namespace
