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

// Rows of the sample site's first search as a run lists them when fetches fail, listed with a
// journal and kept in the library with their failures.
class CompleteFailedRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(site.start());
        context.endpoints = site.endpoints();
        context.settings.cExtractEmails = context.settings.cCompleteFromGoogle = true;
        downloader.setPauses(1ms, 1ms);
        ASSERT_TRUE(context.library.open(dir.filePath(u"library.sqlite"_s)).ok());
        journal.start(test.dialogs, context.texts, QLocale::c());
    }
    // Lists entry's row with the cells a run had of it; pageRead: its company page was read.
    void listFailed(int entry, const QString &failure, bool pageRead = false) {
        LeadRow row{{u"Widgets"_s, companies[entry].name}}; // the category and the name
        row[LeadRow::LinkedInLink] = site.base() + u"/company/"_s + companies[entry].slug + u"?trk=vsrp"_s;
        row[LeadRow::Industry] = u"Kept"_s;
        row[LeadRow::Website] = pageRead ? companies[entry].website : QString();
        row[LeadRow::Country] = pageRead ? companies[entry].country : QString();
        results.appendRow(row);
        context.library.add(row, site.searchUrl(1), failure);
    }
    CompletionOutcome complete() {
        context.library.flush();
        journal.flush(); // the rows as listed are on the disk
        const CompletionPieces pieces{
            {parser, downloader, context.endpoints}, results, context.library, test.status, context.texts};
        const CompletionOutcome outcome =
            QCoro::waitFor(CompleteFailedRows(pieces, context.library.failedRows().value, stop));
        context.library.flush();
        return outcome;
    }
    LibraryEntry kept(int row) { return context.library.page({}, row, 1).value.value(0); }

    QTemporaryDir dir;
    TestContext test;
    AppContext &context = test.context;
    SampleSite site;
    QList<SampleCompany> companies = site.companies(1, 1);
    Downloader downloader{context.settings, test.status, context.texts};
    ResultsList results{ListPiecesOf(context)};
    ResultsPageParser parser{RunPiecesOf(context), downloader, results};
    ResultsJournal journal{results, dir.filePath(u"results.journal"_s)};
    StopToken stop = StopToken::Create();
};

TEST_F(CompleteFailedRowsTest, CompanyPageThatAnswersNowIsReadAndTheLaterStepsFollow) {
    listFailed(0, u"company page: 127.0.0.1 refused"_s);
    EXPECT_EQ(complete().completed, 1);

    const LeadRow row = results.row(0);
    // The keyword stood in for the lookup's category; the industry came from elsewhere and stays.
    EXPECT_EQ(row[LeadRow::Category], companies[0].placeTypes.join(u", "));
    EXPECT_EQ(row[LeadRow::Industry], u"Kept");
    EXPECT_EQ(row[LeadRow::Email], QStringList(companies[0].emails + companies[0].hiddenEmails).join(u';'));
    EXPECT_TRUE(row[LeadRow::MapLink].startsWith(site.base() + u"/maps?q="));
    EXPECT_EQ(kept(0).failure, QString());
    EXPECT_EQ(kept(0).row.cells, row.cells);

    journal.flush();
    QFile file(journal.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const JournalContent restored = ReadJournal(file);
    ASSERT_EQ(restored.rows.size(), 1);
    EXPECT_EQ(restored.rows.row(0).cells, row.cells);
}

TEST_F(CompleteFailedRowsTest, WebsiteThatStillFailsKeepsExactlyThatFailure) {
    site.setFault(u"/sites/"_s + companies[0].slug, SampleSite::Fault::NotFound);
    listFailed(0, u"places, website: old reason"_s, true);
    EXPECT_EQ(complete().stillFailing, 1);

    const FetchFailures left = ParseFailureText(kept(0).failure);
    EXPECT_TRUE(left.website && !left.places && !left.companyPage) << kept(0).failure.toStdString();
    EXPECT_NE(left.reason, u"old reason");
    EXPECT_TRUE(site.requestedTargets().filter(u"/company/"_s).isEmpty());
}

TEST_F(CompleteFailedRowsTest, StopLeavesTheRowInProgressAndTheRestAsTheyWere) {
    site.setFault(u"/company/"_s + companies[0].slug, SampleSite::Fault::Stall, -1, 10000);
    listFailed(0, u"company page"_s);
    listFailed(1, u"company page"_s);
    QTimer::singleShot(300, [this] { stop.request(); });
    const CompletionOutcome outcome = complete();

    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(kept(0).failure, u"company page");
    EXPECT_TRUE(site.requestedTargets().filter(companies[1].slug).isEmpty());
}

} // namespace
