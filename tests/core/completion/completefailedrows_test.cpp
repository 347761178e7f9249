#include "core/completion/completefailedrows.h"
#include "core/extraction/resultslist.h"
#include "core/extraction/resultsparser.h"
#include "core/journal/journalrecords.h"
#include "core/journal/resultsjournal.h"
#include "core/net/downloader.h"
#include "samplesite/samplesite.h"
#include "support/testcontext.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Rows of the sample site's first search as a run lists them when fetches fail, kept in the
// library with their failures and listed, with a journal.
class CompleteFailedRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(site.start());
        context().endpoints = site.endpoints();
        context().settings.eRandom.clear();
        context().settings.cExtractEmails = true;
        context().settings.cCompleteFromGoogle = true;
        downloader.setPauses(1ms, 1ms);
        ASSERT_TRUE(context().library.open(dir.filePath(u"library.sqlite"_s)).ok());
        ASSERT_EQ(journal.start(test.dialogs, context().texts, QLocale::c()), ResultsJournal::Start::Journalling);
    }
    AppContext &context() { return test.context; }

    const SampleCompany &company(int entry) { return companies[entry]; }
    // Lists the row of entry with what a run had of it, and keeps it in the library with failure.
    void listFailed(int entry, const QString &failure, bool pageRead = false) {
        LeadRow row;
        row[LeadRow::BusinessName] = company(entry).name;
        row[LeadRow::LinkedInLink] = site.base() + u"/company/"_s + company(entry).slug + u"?trk=vsrp"_s;
        row[LeadRow::Category] = u"Widgets"_s;
        row[LeadRow::Industry] = u"Kept"_s;
        if (pageRead) {
            row[LeadRow::Website] = company(entry).website;
            row[LeadRow::Country] = company(entry).country;
        }
        results.appendRow(row);
        context().library.add(row, site.searchUrl(1), failure);
    }
    CompletionOutcome complete() {
        EXPECT_TRUE(context().library.flush().ok());
        journal.flush(); // the rows as listed are on the disk
        const QList<LibraryEntry> failed = context().library.failedRows().value;
        const CompletionPieces pieces{
            {parser, downloader, context().endpoints}, results, context().library, test.status, context().texts};
        const CompletionOutcome outcome = QCoro::waitFor(CompleteFailedRows(pieces, failed, stop));
        EXPECT_TRUE(context().library.flush().ok());
        return outcome;
    }
    QString libraryFailure(int row) { return context().library.page({}, row, 1).value.value(0).failure; }
    int requestsFor(const QString &part) const {
        const QStringList targets = site.requestedTargets();
        return int(std::count_if(targets.begin(), targets.end(), [&](const QString &t) { return t.contains(part); }));
    }

    QTemporaryDir dir;
    TestContext test;
    SampleSite site;
    QList<SampleCompany> companies = site.companies(1, 1);
    Downloader downloader{context().settings, test.status, context().texts};
    ResultsList results{ListPiecesOf(context())};
    ResultsPageParser parser{RunPiecesOf(context()), downloader, results};
    ResultsJournal journal{results, dir.filePath(u"results.journal"_s)};
    StopToken stop = StopToken::Create();
};

TEST_F(CompleteFailedRowsTest, FailedCompanyPageIsReadOnceItAnswersAndTheLaterStepsFollow) {
    listFailed(0, u"company page: 127.0.0.1 refused"_s);
    const CompletionOutcome outcome = complete();

    EXPECT_EQ(outcome.completed, 1);
    const LeadRow row = results.row(0);
    const SampleCompany &acme = company(0);
    EXPECT_EQ(row[LeadRow::City], acme.city);
    EXPECT_EQ(row[LeadRow::Phone], acme.phone);
    EXPECT_EQ(row[LeadRow::State], acme.region);
    // The keyword stood in for the lookup's category; the industry came from elsewhere and stays.
    EXPECT_EQ(row[LeadRow::Category], acme.placeTypes.join(u", "));
    EXPECT_EQ(row[LeadRow::Industry], u"Kept");
    EXPECT_EQ(row[LeadRow::Email], QStringList(acme.emails + acme.hiddenEmails).join(u';'));
    EXPECT_TRUE(row[LeadRow::MapLink].startsWith(site.base() + u"/maps?q="));
    EXPECT_EQ(libraryFailure(0), QString());
    EXPECT_EQ(context().library.page({}, 0, 1).value.value(0).row[LeadRow::Phone], acme.phone);

    // The journal gives back the completed row after a restart.
    journal.flush();
    QFile file(journal.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const JournalContent restored = ReadJournal(file);
    ASSERT_EQ(restored.rows.size(), 1);
    EXPECT_EQ(restored.rows.row(0).cells, row.cells);
}

TEST_F(CompleteFailedRowsTest, WebsiteThatStillFailsKeepsExactlyThatFailure) {
    site.setFault(u"/sites/"_s + company(0).slug, SampleSite::Fault::NotFound);
    listFailed(0, u"places, website: old reason"_s, true);
    const CompletionOutcome outcome = complete();

    EXPECT_EQ(outcome.stillFailing, 1);
    const FetchFailures left = ParseFailureText(libraryFailure(0));
    EXPECT_TRUE(left.website && !left.places && !left.companyPage) << libraryFailure(0).toStdString();
    EXPECT_NE(left.reason, u"old reason");
    EXPECT_EQ(results.row(0)[LeadRow::Phone], company(0).phone);
    EXPECT_EQ(requestsFor(u"/company/"_s), 0);
}

TEST_F(CompleteFailedRowsTest, StopLeavesTheRowInProgressAndTheRestAsTheyWere) {
    site.setFault(u"/company/"_s + company(0).slug, SampleSite::Fault::Stall, -1, 10000);
    listFailed(0, u"company page"_s);
    listFailed(1, u"company page"_s);
    QTimer::singleShot(300, [this] { stop.request(); });
    const CompletionOutcome outcome = complete();

    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.completed + outcome.stillFailing, 0);
    EXPECT_EQ(results.row(0)[LeadRow::City], QString());
    EXPECT_EQ(libraryFailure(0), u"company page");
    EXPECT_EQ(libraryFailure(1), u"company page");
    EXPECT_EQ(requestsFor(company(1).slug), 0);
}

} // namespace
