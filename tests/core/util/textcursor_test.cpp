#include "core/util/textcursor.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class TextCursorPosition : public ::testing::Test {};

TEST_F(TextCursorPosition, AdvanceIsClampedToTheText) {
    TextCursor cursor(u"abcdef"_s);
    cursor.advance(-4);
    EXPECT_EQ(cursor.toString(), u"abcdef"_s);
    cursor.advance(2);
    EXPECT_EQ(cursor.remaining(), u"cdef");
    EXPECT_EQ(cursor.size(), 4);
    cursor.advance(100);
    EXPECT_TRUE(cursor.isEmpty());
    EXPECT_EQ(cursor.indexOfFolded(u"a"), -1);
}

TEST_F(TextCursorPosition, SearchesSeeOnlyTheRemainingText) {
    TextCursor cursor(u"key=1; KEY=2"_s);
    EXPECT_EQ(cursor.indexOfFolded(u"key"), 0);
    cursor.advance(1);
    EXPECT_EQ(cursor.indexOfFolded(u"key"), 6);
    EXPECT_TRUE(cursor.contains(u"KEY"));
    EXPECT_FALSE(cursor.contains(u"key"));
}

TEST_F(TextCursorPosition, EmptyMarkerIsNeverFound) {
    const TextCursor cursor(u"abc"_s);
    EXPECT_EQ(cursor.indexOfFolded(u""), -1);
}

class AsciiFolding : public ::testing::Test {};

TEST_F(AsciiFolding, OnlyAsciiLettersAreFolded) {
    EXPECT_EQ(AsciiUpper(u"az AZ 09 {}`@ \u00e9\u00df\u0131"), u"AZ AZ 09 {}`@ \u00e9\u00df\u0131"_s);
}

TEST_F(AsciiFolding, FoldedSearchKeepsPositionsOfTheOriginalText) {
    // Unicode upper-casing would turn the sharp s into two letters and shift later positions.
    const TextCursor cursor(u"Stra\u00dfe 5, ort=Paris"_s);
    const qsizetype at = cursor.indexOfFolded(u"ORT=");
    ASSERT_GE(at, 0);
    EXPECT_EQ(cursor.remaining().sliced(at, 4), u"ort=");
    EXPECT_EQ(cursor.indexOfFolded(u"STRASSE"), -1);
}

} // namespace
