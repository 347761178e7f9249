#include "core/util/textcursor.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class CutBetweenWorkedExamples : public ::testing::Test {};

TEST_F(CutBetweenWorkedExamples, ListItemsAreWalkedInOrderAndTheEndMarkerStaysInFront) {
    TextCursor buffer(u"<li>one</li><li>two</li>"_s);
    EXPECT_EQ(CutBetween(u"<li>", u"</LI>", 0, buffer), u"one"_s);
    EXPECT_EQ(buffer.toString(), u"</li><li>two</li>"_s);
    EXPECT_EQ(CutBetween(u"<li>", u"</LI>", 0, buffer), u"two"_s);
    EXPECT_EQ(buffer.toString(), u"</li>"_s);
    EXPECT_EQ(CutBetween(u"<li>", u"</LI>", 0, buffer), QString());
    EXPECT_EQ(buffer.toString(), u"</li>"_s);
}

TEST_F(CutBetweenWorkedExamples, ChainedCutsContinueFromThePreviousEndMarker) {
    TextCursor buffer(u"<span class=locality>Paris</span>"_s);
    EXPECT_EQ(CutBetween(u"locality", u">", 0, buffer), QString());
    EXPECT_EQ(buffer.toString(), u">Paris</span>"_s);
    EXPECT_EQ(CutBetween(u">", u"<", 0, buffer), u"Paris"_s);
    EXPECT_EQ(buffer.toString(), u"</span>"_s);
}

class CutBetweenMarkerCase : public ::testing::Test {};

TEST_F(CutBetweenMarkerCase, AsciiLettersMatchInEitherCase) {
    TextCursor buffer(u"<DIV Class=\"Name\">Acme</div>"_s);
    EXPECT_EQ(CutBetween(u"class=\"name\">", u"</DIV>", 0, buffer), u"Acme"_s);
    EXPECT_EQ(buffer.toString(), u"</div>"_s);
}

TEST_F(CutBetweenMarkerCase, AccentedLettersAreComparedExactly) {
    TextCursor buffer(u"caf\u00e9: open"_s);
    EXPECT_EQ(CutBetween(u"CAF\u00c9", u"n", 0, buffer), QString());
    EXPECT_EQ(buffer.toString(), u"caf\u00e9: open"_s);
    EXPECT_EQ(CutBetween(u"CAF\u00e9", u"n", 0, buffer), u": ope"_s);
}

TEST_F(CutBetweenMarkerCase, ResultKeepsTheLetterCaseOfTheText) {
    TextCursor buffer(u"<b>MiXeD cAsE</b>"_s);
    EXPECT_EQ(CutBetween(u"<B>", u"</B>", 0, buffer), u"MiXeD cAsE"_s);
}

class CutBetweenMissingMarkers : public ::testing::Test {};

TEST_F(CutBetweenMissingMarkers, MissingStartLeavesBufferUnchangedEvenWithTheEndPresent) {
    TextCursor buffer(u"abc</li>def"_s);
    EXPECT_EQ(CutBetween(u"<li>", u"</li>", 0, buffer), QString());
    EXPECT_EQ(buffer.toString(), u"abc</li>def"_s);
}

TEST_F(CutBetweenMissingMarkers, MissingEndLeavesBufferBehindStart) {
    TextCursor buffer(u"xx<li>one and more"_s);
    EXPECT_EQ(CutBetween(u"<li>", u"</li>", 0, buffer), QString());
    EXPECT_EQ(buffer.toString(), u"one and more"_s);
}

TEST_F(CutBetweenMissingMarkers, EndRightBehindStartGivesEmptyResultWithEndInFront) {
    TextCursor buffer(u"<li></li>rest"_s);
    EXPECT_EQ(CutBetween(u"<li>", u"</li>", 0, buffer), QString());
    EXPECT_EQ(buffer.toString(), u"</li>rest"_s);
}

TEST_F(CutBetweenMissingMarkers, EmptyStartMarkerChangesNothing) {
    TextCursor buffer(u"abc"_s);
    EXPECT_EQ(CutBetween(u"", u"c", 0, buffer), QString());
    EXPECT_EQ(buffer.toString(), u"abc"_s);
}

TEST_F(CutBetweenMissingMarkers, EmptyBufferStaysEmpty) {
    TextCursor buffer;
    EXPECT_EQ(CutBetween(u"a", u"b", 0, buffer), QString());
    EXPECT_TRUE(buffer.isEmpty());
    TextCursor emptyText(QString{});
    EXPECT_EQ(CutBetween(u"a", u"b", 0, emptyText), QString());
    EXPECT_TRUE(emptyText.isEmpty());
}

TEST_F(CutBetweenMissingMarkers, EmptyEndMarkerIsNeverFound) {
    TextCursor buffer(u"<a>text"_s);
    EXPECT_EQ(CutBetween(u"<a>", u"", 0, buffer), QString());
    EXPECT_EQ(buffer.toString(), u"text"_s);
}

TEST_F(CutBetweenMissingMarkers, StartAtTheVeryEndEmptiesTheBuffer) {
    TextCursor buffer(u"text<li>"_s);
    EXPECT_EQ(CutBetween(u"<li>", u"</li>", 0, buffer), QString());
    EXPECT_TRUE(buffer.isEmpty());
}

class CutBetweenOffsets : public ::testing::Test {};

TEST_F(CutBetweenOffsets, PositiveOffsetMovesBothCuts) {
    TextCursor buffer(u"id=12345;next=6"_s);
    // Skips two characters behind "id=", and the buffer then starts two behind the ";".
    EXPECT_EQ(CutBetween(u"id=", u";", 2, buffer), u"345"_s);
    EXPECT_EQ(buffer.toString(), u"ext=6"_s);
}

TEST_F(CutBetweenOffsets, NegativeOffsetNeverMovesTheBufferBackwards) {
    TextCursor buffer(u"ab<x>value</x>"_s);
    EXPECT_EQ(CutBetween(u"ab", u"</x>", -10, buffer), u"ab<x>value"_s);
    EXPECT_EQ(buffer.toString(), u"ab<x>value</x>"_s);
}

TEST_F(CutBetweenOffsets, NegativeOffsetIncludesTheStartMarkerInTheResult) {
    TextCursor buffer(u"..<x>value</x>"_s);
    EXPECT_EQ(CutBetween(u"<x>", u"</x>", -3, buffer), u"<x>value"_s);
    // The end marker starts at position 9 of "<x>value</x>"; 9 - 3 is where the buffer resumes.
    EXPECT_EQ(buffer.toString(), u"lue</x>"_s);
}

TEST_F(CutBetweenOffsets, OffsetWithMissingEndDropsOffsetMinusOneMore) {
    TextCursor buffer(u"<a>abcdef"_s);
    EXPECT_EQ(CutBetween(u"<a>", u"#", 3, buffer), QString());
    // Behind the start marker "abcdef" loses 3, then the absent end marker drops 3 - 1 more.
    EXPECT_EQ(buffer.toString(), u"f"_s);
}

TEST_F(CutBetweenOffsets, OffsetBeyondTheEndEmptiesTheBuffer) {
    TextCursor buffer(u"<a>abc"_s);
    EXPECT_EQ(CutBetween(u"<a>", u"c", 100, buffer), QString());
    EXPECT_TRUE(buffer.isEmpty());
}

class CutBetweenWalkingAPage : public ::testing::Test {};

TEST_F(CutBetweenWalkingAPage, EveryEntryOfALargePageIsFoundOnceInOrder) {
    QString page = u"<html><body>"_s;
    const int entries = 5000;
    for (int i = 0; i < entries; ++i) {
        page += u"<DIV class=entry><h3><a href=\"/company/"_s + QString::number(i) + u"\">Name "_s +
                QString::number(i) + u"</a></h3></div>\n"_s;
    }
    page += u"</body></html>"_s;
    TextCursor buffer(page);
    int found = 0;
    for (;;) {
        const QString link = CutBetween(u"<h3><a href=\"", u"\">", 0, buffer);
        if (link.isEmpty()) {
            break;
        }
        const QString name = CutBetween(u"\">", u"</A>", 0, buffer);
        ASSERT_EQ(link, u"/company/"_s + QString::number(found));
        ASSERT_EQ(name, u"Name "_s + QString::number(found));
        ++found;
    }
    EXPECT_EQ(found, entries);
    EXPECT_EQ(buffer.toString(), u"</a></h3></div>\n</body></html>"_s);
}

TEST_F(CutBetweenWalkingAPage, ACopyOfTheCursorWalksIndependently) {
    const TextCursor page(u"<i>1</i><i>2</i>"_s);
    TextCursor first = page;
    EXPECT_EQ(CutBetween(u"<i>", u"</i>", 0, first), u"1"_s);
    TextCursor second = first;
    EXPECT_EQ(CutBetween(u"<i>", u"</i>", 0, second), u"2"_s);
    EXPECT_EQ(CutBetween(u"<i>", u"</i>", 0, first), u"2"_s);
    TextCursor rewound = page;
    EXPECT_EQ(CutBetween(u"<i>", u"</i>", 0, rewound), u"1"_s);
    EXPECT_EQ(page.toString(), u"<i>1</i><i>2</i>"_s);
}

} // namespace
