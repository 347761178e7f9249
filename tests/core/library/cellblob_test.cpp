#include "core/library/cellblob.h"
#include "core/library/fetchfailures.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// A blob as a program with another number of columns writes it.
QByteArray BlobOf(int cells) {
    std::vector<QByteArray> texts;
    for (int cell = 0; cell < cells; ++cell) {
        texts.push_back(u"cell %1 Ελληνικά 東京"_s.arg(cell).toUtf8());
    }
    return EncodeSlices(std::vector<QByteArrayView>(texts.begin(), texts.end()));
}

TEST(CellBlob, AnyCountReadsBackInto20Columns) {
    for (const int cells : {0, 17, 20, 23}) {
        SCOPED_TRACE(cells);
        const LeadRow row = DecodeCells(BlobOf(cells));
        for (int column = 0; column < LeadRow::ColumnCount; ++column) {
            EXPECT_EQ(row[column], column < cells ? u"cell %1 Ελληνικά 東京"_s.arg(column) : QString());
        }
    }
}

TEST(CellBlob, EveryCellReadsBackAsItsUtf8) {
    LeadRow row;
    const QString cells[] = {u""_s,
                             u"plain"_s,
                             u"Zürich 東京 🚀"_s,
                             u"lone "_s + QChar(0xd800) + u" end"_s,
                             QString(5000, u'é'),
                             QString(1, QChar(0xdc00))};
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        row[column] = cells[column % std::size(cells)];
    }
    const LeadRow back = DecodeCells(EncodeCells(row));
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        // A lone surrogate has no UTF-8: it comes back as the replacement character.
        QString expected = row[column];
        expected.replace(QChar(0xd800), QChar::ReplacementCharacter)
            .replace(QChar(0xdc00), QChar::ReplacementCharacter);
        EXPECT_EQ(back[column], expected) << column;
    }
}

TEST(CellBlob, BlobCutShortReadsItsWholeCells) {
    const QByteArray blob = BlobOf(3);
    const LeadRow row = DecodeCells(QByteArrayView(blob).chopped(2));
    EXPECT_EQ(row[1], u"cell 1 Ελληνικά 東京"_s);
    EXPECT_TRUE(row[2].isEmpty());
}

TEST(CellBlob, MergeKeepsCellsTheNewerLacksAndTheOlderCount) {
    const QByteArray older = BlobOf(23);
    LeadRow newer;
    newer[LeadRow::BusinessName] = u"Renamed"_s;
    // The slices are views into the merged blob, which must outlive them.
    const QByteArray blob = MergeCells(older, EncodeCells(newer));
    const std::vector<QByteArrayView> merged = CellSlices(blob);
    ASSERT_EQ(merged.size(), 23u);
    EXPECT_EQ(merged[LeadRow::BusinessName], "Renamed");
    EXPECT_EQ(QString::fromUtf8(merged[0]), u"cell 0 Ελληνικά 東京"_s);
    EXPECT_EQ(QString::fromUtf8(merged[22]), u"cell 22 Ελληνικά 東京"_s);
}

} // namespace

TEST(FetchFailureText, ReadsBackWhatItWrites) {
    struct Case {
        FetchFailures failures;
        QString text;
    };
    const Case cases[] = {
        {{}, u""_s},
        {{true, false, false, {}}, u"company page"_s},
        {{false, true, true, u"127.0.0.1:9: refused, again"_s}, u"places, website: 127.0.0.1:9: refused, again"_s},
        {{true, true, true, u"x"_s}, u"company page, places, website: x"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(FailureText(c.failures), c.text);
        const FetchFailures read = ParseFailureText(c.text);
        EXPECT_EQ(std::tuple(read.companyPage, read.places, read.website, read.reason),
                  std::tuple(c.failures.companyPage, c.failures.places, c.failures.website, c.failures.reason));
    }
    EXPECT_FALSE(ParseFailureText(u"timeout: company page"_s).any());
}
