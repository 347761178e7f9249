#include "core/enrichment/companydetails.h"
#include "core/model/leadrow.h"
#include "enrichmentsite.h"

#include <gtest/gtest.h>

namespace {

class CompanyPage : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(site.isRunning()); }

    // Serves body as the company page and runs the step on a row whose cells hold row's values.
    LeadRow Extract(const QByteArray &body, LeadRow row = {}) {
        site.Serve(QStringLiteral("/company/acme"), body);
        QCoro::waitFor(ExtractCompanyDetails(fetcher, site.Url(QStringLiteral("/company/acme")), row, transport.stop));
        return row;
    }

    SiteServer site;
    LoopbackTransport transport;
    RecordingFetcher fetcher{transport.downloader};
};

LeadRow PrefilledRow() {
    LeadRow row;
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        row[column] = QStringLiteral("before %1").arg(column);
    }
    return row;
}

TEST_F(CompanyPage, FullPageFillsTheTwelveCells) {
    const LeadRow row = Extract(TestDataFile(QStringLiteral("company_full.html")));

    EXPECT_EQ(row[LeadRow::Specialties], u"Widgets,Gadgets & Gizmos");
    // Raw values keep the page's escapes and entities.
    EXPECT_EQ(row[LeadRow::Website], u"https:\\/\\/www.acme.example");
    EXPECT_EQ(row[LeadRow::Industry], u"Machinery &amp; Tools");
    EXPECT_EQ(row[LeadRow::Type], u"Privately Held");
    EXPECT_EQ(row[LeadRow::Address], u"10 Main St");
    EXPECT_EQ(row[LeadRow::City], u"Springfield");
    EXPECT_EQ(row[LeadRow::State], u"IL");
    EXPECT_EQ(row[LeadRow::PostalCode], u"62701");
    EXPECT_EQ(row[LeadRow::Country], u"US");
    EXPECT_EQ(row[LeadRow::FullAddress], u"10 Main St, Springfield, IL 62701, US");
    EXPECT_EQ(row[LeadRow::CompanySize], u"51-200 employees");
    EXPECT_EQ(row[LeadRow::Founded], u"1998");
    for (const int column : {LeadRow::Category, LeadRow::BusinessName, LeadRow::Phone, LeadRow::Fax, LeadRow::Email,
                             LeadRow::MapLink, LeadRow::LinkedInLink, LeadRow::GoogleMapsDetails}) {
        EXPECT_TRUE(row[column].isEmpty()) << column;
    }
}

TEST_F(CompanyPage, FetchesOncePacedAndAsUtf8) {
    const LeadRow row = Extract(QStringLiteral(R"({"headquarters":{"city":"Zürich","country":"CH"}})").toUtf8());

    ASSERT_EQ(fetcher.calls.size(), 1);
    EXPECT_FALSE(fetcher.calls.front().direct);
    EXPECT_TRUE(fetcher.calls.front().useUtf8);
    EXPECT_EQ(row[LeadRow::FullAddress], u"Zürich, CH");
}

TEST_F(CompanyPage, FailedFetchChangesNoCell) {
    site.Fail(QStringLiteral("/company/acme"));
    LeadRow row = PrefilledRow();
    QCoro::waitFor(ExtractCompanyDetails(fetcher, site.Url(QStringLiteral("/company/acme")), row, transport.stop));

    EXPECT_EQ(row.cells, PrefilledRow().cells);
}

class Headquarters : public CompanyPage {};

TEST_F(Headquarters, MissingObjectLeavesAddressCellsEmpty) {
    const LeadRow row = Extract(R"({"website":"acme.example","city":"Elsewhere","country":"FR"})");

    EXPECT_EQ(row[LeadRow::Website], u"acme.example");
    for (const int column : {LeadRow::FullAddress, LeadRow::Address, LeadRow::City, LeadRow::State, LeadRow::PostalCode,
                             LeadRow::Country}) {
        EXPECT_TRUE(row[column].isEmpty()) << column;
    }
}

TEST_F(Headquarters, CityAndCountryOnlyJoinWithCommaAndSpace) {
    const LeadRow row = Extract(R"({"headquarters":{"city":"Springfield","country":"US"}})");

    EXPECT_EQ(row[LeadRow::FullAddress], u"Springfield, US");
    EXPECT_TRUE(row[LeadRow::Address].isEmpty());
    EXPECT_TRUE(row[LeadRow::State].isEmpty());
}

TEST_F(Headquarters, PostalCodeFollowsWithOneSpace) {
    const LeadRow row = Extract(R"({"headquarters":{"city":"Springfield","zip":"62701","country":"US"}})");

    EXPECT_EQ(row[LeadRow::FullAddress], u"Springfield 62701, US");
}

TEST_F(Headquarters, ObjectEndsAtFirstClosingBrace) {
    const LeadRow row = Extract(R"({"headquarters":{"city":"Springfield","geo":{"x":1},"country":"US"}})");

    EXPECT_EQ(row[LeadRow::City], u"Springfield");
    EXPECT_TRUE(row[LeadRow::Country].isEmpty());
    EXPECT_EQ(row[LeadRow::FullAddress], u"Springfield");
}

TEST_F(Headquarters, PartsAreCleanedAsText) {
    const LeadRow row =
        Extract(R"({"headquarters":{"street1":"  1 Rue de l&#39;Église<BR>Bât&amp;B ","city":"Paris"}})");

    EXPECT_EQ(row[LeadRow::Address], u"1 Rue de l'Église Bât&B");
    EXPECT_EQ(row[LeadRow::FullAddress], u"1 Rue de l'Église Bât&B, Paris");
}

TEST_F(Headquarters, CellsAlreadyFilledStillJoinTheFullAddress) {
    LeadRow row;
    row[LeadRow::State] = QStringLiteral("IL");
    row = Extract(R"({"headquarters":{"city":"Springfield"}})", row);

    EXPECT_EQ(row[LeadRow::FullAddress], u"Springfield, IL");
}

class Specialties : public CompanyPage {};

TEST_F(Specialties, EmptyArrayGivesEmptyText) {
    LeadRow row = PrefilledRow();
    row = Extract(R"({"specialties":[],"type":"Public"})", row);

    EXPECT_TRUE(row[LeadRow::Specialties].isEmpty());
}

TEST_F(Specialties, ItemsJoinAsThePageSeparatesThem) {
    EXPECT_EQ(Extract(R"({"specialties":["A","B"]})")[LeadRow::Specialties], u"A,B");
    EXPECT_EQ(Extract(R"({"specialties":[ "A", "B" ]})")[LeadRow::Specialties], u"A, B");
}

TEST_F(Specialties, NullTakesTheNextBracketLaterInThePage) {
    const LeadRow row = Extract(R"({"specialties":null,"name":"Acme","locations":["North","South"],"tags":["x"]})");

    EXPECT_EQ(row[LeadRow::Specialties], u"North,South");
}

TEST_F(Specialties, MarkerInOtherLetterCaseIsAbsent) {
    LeadRow row = PrefilledRow();
    row = Extract(R"({"Specialties":["A"]})", row);

    EXPECT_EQ(row[LeadRow::Specialties], PrefilledRow()[LeadRow::Specialties]);
}

class RawMembers : public CompanyPage {};

TEST_F(RawMembers, FirstOccurrenceInThePageWins) {
    const LeadRow row =
        Extract(R"({"type":"Privately Held","sub":{"type":"Partnership"},"size":"1-10","size":"11-50"})");

    EXPECT_EQ(row[LeadRow::Type], u"Privately Held");
    EXPECT_EQ(row[LeadRow::CompanySize], u"1-10");
}

TEST_F(RawMembers, EscapedQuoteEndsTheValueAfterTheBackslash) {
    const LeadRow row = Extract(R"({"industry":"Food \"and\" drink"})");

    EXPECT_EQ(row[LeadRow::Industry], u"Food \\");
}

TEST_F(RawMembers, FoundedRunsToTheNextCommaAnywhereBehind) {
    const LeadRow row = Extract(R"({"yearFounded":1998}}{"name":"x","y":1})");

    EXPECT_EQ(row[LeadRow::Founded], u"1998}}{\"name\":\"x\"");
}

TEST_F(RawMembers, MissingMarkerLeavesTheCell) {
    LeadRow row = PrefilledRow();
    row = Extract(R"({"name":"Acme","Website":"upper.example"})", row);

    EXPECT_EQ(row.cells, PrefilledRow().cells);
}

TEST_F(RawMembers, MissingClosingCharacterEmptiesTheCell) {
    LeadRow row = PrefilledRow();
    row = Extract(R"({"size":"11-50 employees)", row);

    EXPECT_TRUE(row[LeadRow::CompanySize].isEmpty());
    EXPECT_EQ(row[LeadRow::Website], PrefilledRow()[LeadRow::Website]);
}

// The presence test honours case but the cut does not, so an earlier member in other letter
// case supplies the value.
TEST_F(RawMembers, CutFindsAnEarlierMarkerInOtherLetterCase) {
    const LeadRow row = Extract(R"({"WEBSITE":"first.example","website":"second.example"})");

    EXPECT_EQ(row[LeadRow::Website], u"first.example");
}

} // namespace
