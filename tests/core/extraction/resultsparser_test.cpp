#include "core/export/automaticsave.h"
#include "core/extraction/resultslist.h"
#include "core/extraction/resultsparser.h"
#include "core/library/fetchfailures.h"
#include "core/library/leadlibrary.h"
#include "resultpages.h"
#include "scriptedfetcher.h"
#include "support/testcontext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using ResultPages::Company;
using ResultPages::Entry;

namespace {

Company Site(const QString &website) {
    Company company;
    company.website = website;
    return company;
}

Company NoCountry() {
    Company company;
    company.country.clear();
    return company;
}

struct Place {
    QString phone;
    QString region;
    QString types; // as the reply writes the list's inside
};

class ResultsParserTest : public ::testing::Test {
protected:
    void SetUp() override {
        Endpoints &endpoints = context().endpoints;
        endpoints.linkedInHttps = u"https://li.example"_s;
        endpoints.linkedInHttp = u"http://li.example"_s;
        endpoints.googleMapsHttp = u"http://maps.example"_s;
        endpoints.placesHttp = u"http://places.example"_s;
        endpoints.placesHttps = u"https://places.example"_s;
        endpoints.placesKeyA = u"key"_s;
        endpoints.placesKeyB = u"key"_s;
        context().texts.setText(u"main45"_s, u"[VAR1] items listed"_s);
        context().texts.setText(u"main46"_s, u"[VAR1] items exported"_s);
        context().run.DateTimeVal = u"run"_s;
        fetcher.route = [this](const QString &url) {
            return PlacesReply(url);
        };
    }

    AppContext &context() { return test.context; }

    // Registers a company's page under its link, its web site and what Places knows of it.
    void AddCompany(const QString &link, const QString &name, Company company, std::optional<Place> place = {}) {
        if (!company.website.isEmpty()) {
            fetcher.pages.insert(company.website,
                                 u"<a href=\"contact.html\">Contact</a> info@"_s + name + u".example"_s);
            fetcher.pages.insert(company.website + u"contact.html"_s, u"sales@"_s + name + u".example"_s);
        }
        fetcher.pages.insert(link, ResultPages::CompanyPage(company));
        if (place) {
            places.insert(name, *place);
        }
    }

    std::optional<QString> PlacesReply(const QString &url) {
        const QUrl address(url);
        const QUrlQuery query(address);
        if (address.path().endsWith(u"/geocode/json")) {
            return ResultPages::GeocodeReply();
        }
        if (address.path().endsWith(u"/nearbysearch/json")) {
            const QString name = query.queryItemValue(u"keyword"_s, QUrl::FullyDecoded);
            const QStringList names = places.keys();
            return places.contains(name) ? ResultPages::NearbyReply(u"id-"_s + QString::number(names.indexOf(name)))
                                         : u"{ \"results\" : [], \"status\" : \"ZERO_RESULTS\" }"_s;
        }
        if (address.path().endsWith(u"/details/json")) {
            const Place place = places.value(places.keys().value(query.queryItemValue(u"placeid"_s).mid(3).toInt()));
            return ResultPages::DetailsReply(place.phone, place.region, place.types);
        }
        return std::nullopt;
    }

    int CallsTo(const QString &path) const {
        int count = 0;
        for (const ScriptedFetcher::Call &call : fetcher.calls) {
            count += QUrl(call.url).path().endsWith(path) ? 1 : 0;
        }
        return count;
    }

    ParseOutcome Parse1(const QString &page) { return QCoro::waitFor(parser.GetCompanyDataResults1(page, stop)); }
    ParseOutcome Parse2(const QString &page) { return QCoro::waitFor(parser.GetCompanyDataResults2(page, stop)); }

    TestContext test;
    ScriptedFetcher fetcher;
    QHash<QString, Place> places;
    ResultsList results{ListPiecesOf(test.context)};
    ResultsPageParser parser{RunPiecesOf(test.context), fetcher, results};
    StopToken stop = StopToken::Create();
};

TEST_F(ResultsParserTest, FirstLayoutEntryIsCompletedInTheFixedOrder) {
    const QString link = u"https://li.example/company/acme?trk=a"_s;
    AddCompany(link, u"acme"_s, Site(u"http://acme.example/"_s),
               Place{u"04 72 00 00 00"_s, u"Auvergne-Rh\u00f4ne-Alpes"_s, uR"("store", "point_of_interest")"_s});
    places.insert(u"Acme & Sons"_s, places.value(u"acme"_s));

    const ParseOutcome outcome =
        Parse1(ResultPages::Layout1(u"Widgets"_s, {{u"/company/acme?trk=a&amp;b=1"_s, u"Acme &amp; Sons"_s}}));

    EXPECT_TRUE(outcome.automaticExport.ok);
    ASSERT_EQ(fetcher.calls.size(), 6);
    EXPECT_EQ(fetcher.calls[0].url, link);
    EXPECT_TRUE(fetcher.calls[1].url.startsWith(u"http://places.example/maps/api/geocode/json?sensor=false&address="));
    EXPECT_TRUE(fetcher.calls[1].url.endsWith(u"Lyon%2C69001%2C%20France&key=key"))
        << fetcher.calls[1].url.toStdString();
    EXPECT_TRUE(fetcher.calls[2].url.contains(u"/nearbysearch/json?"));
    EXPECT_TRUE(fetcher.calls[2].url.contains(u"keyword=Acme%20%26%20Sons&"));
    EXPECT_TRUE(fetcher.calls[3].url.contains(u"/details/json?placeid="));
    EXPECT_TRUE(fetcher.calls[4].direct);
    EXPECT_EQ(fetcher.calls[4].url, u"http://acme.example/");
    EXPECT_EQ(fetcher.calls[5].url, u"http://acme.example/contact.html");

    ASSERT_EQ(results.rowCount(), 1);
    const LeadRow &row = results.row(0);
    EXPECT_EQ(row[LeadRow::Category], u"store, point_of_interest");
    EXPECT_EQ(row[LeadRow::BusinessName], u"Acme & Sons");
    EXPECT_EQ(row[LeadRow::FullAddress], u"1 Main St, Lyon, ARA 69001, France");
    EXPECT_EQ(row[LeadRow::State], u"Auvergne-Rh\u00f4ne-Alpes");
    EXPECT_EQ(row[LeadRow::Phone], u"04 72 00 00 00");
    EXPECT_EQ(row[LeadRow::Website], u"http://acme.example/");
    EXPECT_EQ(row[LeadRow::Email], u"info@acme.example;sales@acme.example");
    EXPECT_EQ(row[LeadRow::MapLink], u"http://maps.example/maps?q=1+Main+St,+Lyon,+ARA+69001,+France,France");
    EXPECT_EQ(row[LeadRow::LinkedInLink], link);
    EXPECT_EQ(row[LeadRow::GoogleMapsDetails], fetcher.calls[3].url);
    EXPECT_EQ(test.status.panelText(StatusSink::ListedPanel), u"1 items listed");
}

TEST_F(ResultsParserTest, KnownCompanyCostsNoFetchButTheCounterIsRewritten) {
    LeadRow known;
    known[LeadRow::LinkedInLink] = u"https://li.example/company/acme?trk=a"_s;
    results.appendRow(known);
    test.status.panels.clear();

    Parse1(ResultPages::Layout1(u"Widgets"_s, {{u"/company/acme?trk=a&amp;b"_s, u"Acme"_s}}));

    EXPECT_TRUE(fetcher.calls.isEmpty());
    EXPECT_EQ(results.rowCount(), 1);
    EXPECT_EQ(test.status.panelText(StatusSink::ListedPanel), u"1 items listed");
}

TEST_F(ResultsParserTest, EntryWithoutAnyLinkBehindItIsSkipped) {
    AddCompany(u"https://li.example/company/a?x"_s, u"a"_s, {});
    QString page = ResultPages::Layout1(u"Widgets"_s, {{u"/company/a?x&amp;y"_s, u"Alpha"_s}});
    page.replace(u"</BODY>"_s, u"<H3><A name=anchor>Beta</A></H3></BODY>"_s);

    Parse1(page);

    ASSERT_EQ(results.rowCount(), 1);
    EXPECT_EQ(results.row(0)[LeadRow::BusinessName], u"Alpha");
}

TEST_F(ResultsParserTest, LinkWithoutAmpersandBecomesTheBareSiteAddressOnce) {
    Parse1(ResultPages::Layout1(u"Widgets"_s, {{u"/company/a"_s, u"Alpha"_s}, {u"/company/b"_s, u"Beta"_s}}, false));

    ASSERT_EQ(results.rowCount(), 1);
    EXPECT_EQ(results.row(0)[LeadRow::LinkedInLink], u"https://li.example");
    EXPECT_EQ(results.row(0)[LeadRow::BusinessName], u"Alpha");
    EXPECT_EQ(fetcher.urls(), QStringList{u"https://li.example"_s});
}

TEST_F(ResultsParserTest, MissingCountryOrAddressSkipsPlacesAndMapLink) {
    context().settings.cExtractEmails = false;
    AddCompany(u"https://li.example/company/a?x"_s, u"a"_s, NoCountry(), Place{u"1"_s, u"r"_s, u"\"t\""_s});
    // The second company's page cannot be fetched: no address at all.
    Parse1(ResultPages::Layout1(u"Widgets"_s,
                                {{u"/company/a?x&amp;y"_s, u"a"_s}, {u"/company/gone?x&amp;y"_s, u"Gone"_s}}));

    EXPECT_EQ(CallsTo(u"/geocode/json"_s), 0);
    ASSERT_EQ(results.rowCount(), 2);
    EXPECT_EQ(results.row(0)[LeadRow::FullAddress], u"1 Main St, Lyon, ARA 69001");
    EXPECT_EQ(results.row(0)[LeadRow::MapLink], u"http://maps.example/maps?q=1+Main+St,+Lyon,+ARA+69001,");
    EXPECT_EQ(results.row(0)[LeadRow::Category], u"Widgets");
    EXPECT_TRUE(results.row(1)[LeadRow::FullAddress].isEmpty());
    EXPECT_TRUE(results.row(1)[LeadRow::MapLink].isEmpty());
    EXPECT_EQ(results.row(1)[LeadRow::LinkedInLink], u"https://li.example/company/gone?x");
}

// A refused lookup counts as failed, its reason is said once and stays in the end's tooltip;
// without keys the run says at its start that lookups are skipped.
TEST_F(ResultsParserTest, PlacesRefusalIsToldOnceAndMissingKeysAtTheStart) {
    context().settings.cExtractEmails = false;
    context().texts.setText(u"main116"_s, u"[VAR2] Places lookups failed."_s);
    context().texts.setText(u"main150"_s, u"No keys."_s);
    context().texts.setText(u"main151"_s, u"Refused: [VAR1]"_s);
    context().texts.setText(u"main155"_s, u"Last: [VAR1]"_s);
    RunStatusLine line(test.status, context().texts);
    parser.setStatusLine(&line);
    fetcher.route = [](const QString &) {
        return u"{\"status\":\"REQUEST_DENIED\",\"error_message\":\"Bad key.\"}"_s;
    };
    AddCompany(u"https://li.example/company/a?x"_s, u"a"_s, Company());
    AddCompany(u"https://li.example/company/b?x"_s, u"b"_s, Company());
    line.RunStarted();
    parser.RunStarted();
    Parse1(ResultPages::Layout1(u"W"_s, {{u"/company/a?x&amp;y"_s, u"a"_s}, {u"/company/b?x&amp;y"_s, u"b"_s}}));
    line.Finished({});
    ASSERT_EQ(test.dialogs.shown.size(), 1);
    EXPECT_EQ(test.dialogs.shown[0].text, u"Refused: REQUEST_DENIED: Bad key.");
    EXPECT_TRUE(test.status.panelText(StatusSink::RunPanel).contains(u"2 Places lookups failed."));
    EXPECT_EQ(test.status.toolTips.value(StatusSink::RunPanel), u"Last: REQUEST_DENIED: Bad key.");

    context().endpoints.placesKeyA.clear();
    context().endpoints.placesKeyB.clear();
    parser.RunStarted();
    ASSERT_EQ(test.dialogs.shown.size(), 2);
    EXPECT_EQ(test.dialogs.shown[1].text, u"No keys.");
}

TEST_F(ResultsParserTest, SettingsAreReadWhenUsedSoAChangeAppliesFromTheNextStep) {
    context().settings.cCompleteFromGoogle = false;
    AddCompany(u"https://li.example/company/a?x"_s, u"a"_s, Site(u"http://a.example/"_s));
    AddCompany(u"https://li.example/company/b?x"_s, u"b"_s, Site(u"http://b.example/"_s));
    // Switched off while the first company's page loads: its harvest is already affected.
    fetcher.afterFetch = [this](const QString &url) {
        if (url.contains(u"/company/a")) {
            context().settings.cExtractEmails = false;
        }
    };

    Parse1(ResultPages::Layout1(u"W"_s, {{u"/company/a?x&amp;y"_s, u"a"_s}, {u"/company/b?x&amp;y"_s, u"b"_s}}));

    EXPECT_EQ(fetcher.urls(), (QStringList{u"https://li.example/company/a?x"_s, u"https://li.example/company/b?x"_s}));
    ASSERT_EQ(results.rowCount(), 2);
    EXPECT_TRUE(results.row(0)[LeadRow::Email].isEmpty());
}

TEST_F(ResultsParserTest, AutomaticExportWritesEveryEntryAndListsNone) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    context().settings.cExportAutomatic = true;
    context().settings.cCompleteFromGoogle = false;
    context().settings.eExportFolder = folder.path();
    AddCompany(u"https://li.example/company/a?x"_s, u"a"_s, {});

    // The same company twice: exported rows are not recorded as known.
    Parse1(
        ResultPages::Layout1(u"W"_s, {{u"/company/a?x&amp;1"_s, u"Alpha"_s}, {u"/company/a?x&amp;2"_s, u"Alpha"_s}}));

    EXPECT_EQ(results.rowCount(), 0);
    EXPECT_EQ(context().run.ExportedNum, 2);
    EXPECT_EQ(test.status.panelText(StatusSink::ExportedPanel), u"2 items exported");
    QFile file(AutomaticExportPath(folder.path(), u"Results"_s, u"run"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4); // header, two rows, and the empty rest behind the last line end
    EXPECT_TRUE(lines[1].startsWith("\"W\",\"Alpha\",\"1 Main St, Lyon"));
}

TEST_F(ResultsParserTest, RowThatCannotBeExportedIsListedAndEndsThePage) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    context().settings.cExportAutomatic = true;
    context().settings.cCompleteFromGoogle = false;
    context().settings.eExportFolder = folder.path();
    const QString path = AutomaticExportPath(folder.path(), u"Results"_s, u"run"_s);
    ASSERT_TRUE(QDir().mkpath(path)); // a folder where the file should go
    AddCompany(u"https://li.example/company/a?x"_s, u"a"_s, {});
    AddCompany(u"https://li.example/company/b?x"_s, u"b"_s, {});

    const ParseOutcome outcome = Parse1(
        ResultPages::Layout1(u"W"_s, {{u"/company/a?x&amp;1"_s, u"Alpha"_s}, {u"/company/b?x&amp;2"_s, u"Beta"_s}}));

    EXPECT_FALSE(outcome.automaticExport.ok);
    EXPECT_TRUE(outcome.automaticExport.errorString.contains(path));
    ASSERT_EQ(results.rowCount(), 1);
    EXPECT_EQ(results.row(0)[LeadRow::BusinessName], u"Alpha");
    EXPECT_EQ(context().run.ExportedNum, 0);
    EXPECT_EQ(fetcher.urls(), QStringList{u"https://li.example/company/a?x"_s});
}

TEST_F(ResultsParserTest, StopDuringAnEntryDropsItWhereverTheEntryWas) {
    for (const QString &stopAfter : {u"/company/a"_s, u"/maps/api/place/details"_s, u"http://a.example/contact"_s}) {
        SCOPED_TRACE(stopAfter.toStdString());
        TestContext run;
        ScriptedFetcher localFetcher;
        localFetcher.pages = fetcher.pages;
        ResultsList list(ListPiecesOf(run.context));
        run.context.endpoints = context().endpoints;
        ResultsPageParser localParser(RunPiecesOf(run.context), localFetcher, list);
        localFetcher.route = [this](const QString &url) {
            return PlacesReply(url);
        };
        localFetcher.afterFetch = [&](const QString &url) {
            if (url.startsWith(stopAfter) || url.contains(stopAfter)) {
                run.context.run.ShouldStop.request();
            }
        };
        localFetcher.pages.insert(u"https://li.example/company/a?x"_s,
                                  ResultPages::CompanyPage(Site(u"http://a.example/"_s)));
        localFetcher.pages.insert(u"http://a.example/"_s, u"<a href=\"contact.html\">Contact</a>"_s);
        places.insert(u"Alpha"_s, Place{u"1"_s, u"r"_s, u"\"t\""_s});

        QCoro::waitFor(localParser.GetCompanyDataResults1(
            ResultPages::Layout1(u"W"_s, {{u"/company/a?x&amp;1"_s, u"Alpha"_s}, {u"/company/b?x&amp;2"_s, u"B"_s}}),
            run.context.run.ShouldStop));

        EXPECT_EQ(list.rowCount(), 0);
        EXPECT_TRUE(run.status.panelText(StatusSink::ListedPanel).isEmpty());
        EXPECT_FALSE(localFetcher.urls().contains(u"https://li.example/company/b?x"_s));
    }
}

TEST_F(ResultsParserTest, SecondLayoutUsesHttpLinksAndFallsBackToTheKeywordPerEntry) {
    context().settings.cExtractEmails = false;
    AddCompany(u"http://li.example/company/b/?trk=srp"_s, u"b"_s, {}, Place{u"1"_s, u"r"_s, u"\"cafe\""_s});
    AddCompany(u"https://li.example/company/c?x"_s, u"c"_s, {});
    places.insert(u"Beta"_s, places.value(u"b"_s));

    Parse2(ResultPages::Layout2(u"Widgets"_s, {{u"/company/b/?trk=srp&amp;lipi=1"_s, u"Beta"_s},
                                               {u"https://li.example/company/c?x&amp;y"_s, u"Gamma"_s}}));

    ASSERT_EQ(results.rowCount(), 2);
    EXPECT_EQ(results.row(0)[LeadRow::LinkedInLink], u"http://li.example/company/b/?trk=srp");
    EXPECT_EQ(results.row(0)[LeadRow::Category], u"cafe");
    EXPECT_EQ(results.row(1)[LeadRow::LinkedInLink], u"https://li.example/company/c?x");
    EXPECT_EQ(results.row(1)[LeadRow::Category], u"Widgets");
}

TEST_F(ResultsParserTest, SecondLayoutWithLowerCaseHeadingsGivesNoRows) {
    QString page = ResultPages::Layout2(u"W"_s, {{u"/company/b/?t&amp;l"_s, u"Beta"_s}});
    page.replace(u"<H2>"_s, u"<h2>"_s);

    Parse2(page);

    EXPECT_EQ(results.rowCount(), 0);
    EXPECT_TRUE(fetcher.calls.isEmpty());
}

// Each run over companies a and b has a library of its own, which knows a from an earlier run
// that exported it; b's web site is down. Every filed row is kept with the search and what
// failed, and the two options ask the library only when on.
TEST_F(ResultsParserTest, FiledRowsGoToTheLibraryWhichTheOptionsAskOnlyWhenOn) {
    QTemporaryDir folder;
    const QString exportFile = AutomaticExportPath(folder.path(), u"Results"_s, u"run"_s);
    const struct {
        bool leaveOut, onlyNew, automatic;
        qsizetype listed, written; // rows; -1: no file
        QStringList filesOfA;
    } cases[] = {
        {false, false, false, 2, -1, {u"older.csv"_s}},
        {true, false, false, 1, -1, {u"older.csv"_s}},
        {false, false, true, 0, 2, {u"older.csv"_s, exportFile}},
        {false, true, true, 0, 1, {u"older.csv"_s}},
    };
    const QString linkA = u"https://li.example/company/a?x"_s;
    AddCompany(linkA, u"a"_s, {});
    AddCompany(u"https://li.example/company/b?x"_s, u"b"_s, Site(u"http://b.example/"_s));
    fetcher.pages.remove(u"http://b.example/"_s);
    context().settings.cCompleteFromGoogle = false;
    context().settings.eExportFolder = folder.path();
    parser.library().setSearchAddress(u"search"_s);
    LeadLibrary &library = context().library;
    for (const auto &each : cases) {
        SCOPED_TRACE(testing::Message() << each.leaveOut << each.onlyNew << each.automatic);
        context().settings.cLeaveOutLibraryCompanies = each.leaveOut;
        context().settings.cExportOnlyNewRows = each.onlyNew;
        context().settings.cExportAutomatic = each.automatic;
        fetcher.calls.clear();
        results.deleteAll();
        ASSERT_TRUE(library.open(folder.filePath(QString::number(&each - cases))).ok());
        LeadRow known;
        known[LeadRow::LinkedInLink] = linkA;
        library.add(known, {});
        ASSERT_TRUE(library.markExportedLinks({linkA}, u"older.csv"_s).ok());
        QFile::remove(exportFile);

        Parse1(ResultPages::Layout1(u"W"_s, {{u"/company/a?x&amp;1"_s, u"A"_s}, {u"/company/b?x&amp;2"_s, u"B"_s}}));

        ASSERT_TRUE(library.flush().ok());
        const QList<LibraryEntry> kept = library.page({}, 0, 2).value; // a, then b
        EXPECT_EQ(kept.value(1).searchAddress, u"search");
        EXPECT_TRUE(ParseFailureText(kept.value(1).failure).website) << kept.value(1).failure.toStdString();
        EXPECT_EQ(fetcher.urls().contains(linkA), !each.leaveOut);
        EXPECT_EQ(results.rowCount(), each.listed);
        QFile file(exportFile);
        EXPECT_EQ(file.open(QIODevice::ReadOnly) ? file.readAll().count("\r\n") - 1 : -1, each.written);
        EXPECT_EQ(library.exportFiles(kept.value(0).id).value, each.filesOfA);
    }
}

TEST(RunStatusLine, WaitingSaysHowToGetACompanySearch) {
    TestContext test;
    test.context.texts.setText(u"main111"_s, u"Waiting"_s);
    test.context.texts.setText(u"main156"_s, u"[VAR1]: sign in and search."_s);
    RunStatusLine line(test.status, test.context.texts);
    line.Waiting();
    EXPECT_EQ(test.status.panelText(StatusSink::RunPanel), u"Waiting: sign in and search.");
}

} // namespace
