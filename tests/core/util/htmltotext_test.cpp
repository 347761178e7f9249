#include "core/util/textcursor.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class HtmlToTextExamples : public ::testing::Test {};

TEST_F(HtmlToTextExamples, CompanyNameWithEntityAndLineBreak) {
    EXPECT_EQ(HtmlToText(u"  Smith &amp; Sons<BR>Ltd  "_s), u"Smith & Sons Ltd"_s);
}

TEST_F(HtmlToTextExamples, LowerCaseSpanTagsStay) {
    EXPECT_EQ(HtmlToText(u"<span>Acme</span>"_s), u"<span>Acme</span>"_s);
    EXPECT_EQ(HtmlToText(u"<SPAN>Acme</SPAN>"_s), u"Acme"_s);
}

TEST_F(HtmlToTextExamples, AccentEntityBecomesTheLetter) {
    EXPECT_EQ(HtmlToText(u"Caf&#xe9;"_s), u"Caf\u00e9"_s);
}

TEST_F(HtmlToTextExamples, OnlySpacesGiveEmptyText) {
    EXPECT_EQ(HtmlToText(u"     "_s), QString());
    EXPECT_EQ(HtmlToText(QString()), QString());
}

class HtmlToTextTrimming : public ::testing::Test {};

TEST_F(HtmlToTextTrimming, EveryControlCharacterIsTrimmedButNotOtherSpaces) {
    EXPECT_EQ(HtmlToText(u"\x01\t\r\n Acme \x1f\x0b"_s), u"Acme"_s);
    // A no-break space has a code above 32 and stays.
    EXPECT_EQ(HtmlToText(u"\u00a0Acme\u00a0"_s), u"\u00a0Acme\u00a0"_s);
}

TEST_F(HtmlToTextTrimming, SpacesMadeByReplacementsAreTrimmedToo) {
    EXPECT_EQ(HtmlToText(u"<BR>Acme&nbsp;"_s), u"Acme"_s);
}

class HtmlToTextSinglePass : public ::testing::Test {};

TEST_F(HtmlToTextSinglePass, RunsOfSpacesAreHalvedOnceNotCollapsed) {
    EXPECT_EQ(HtmlToText(u"a   b"_s), u"a  b"_s);
    EXPECT_EQ(HtmlToText(u"a    b"_s), u"a  b"_s);
    EXPECT_EQ(HtmlToText(u"a     b"_s), u"a   b"_s);
}

TEST_F(HtmlToTextSinglePass, TextMadeByARowIsNotSearchedAgainByThatRow) {
    EXPECT_EQ(HtmlToText(u"x<<b>b>y"_s), u"x<b>y"_s);
    EXPECT_EQ(HtmlToText(u"R&amp;amp;D"_s), u"R&amp;D"_s);
}

TEST_F(HtmlToTextSinglePass, DoublyEscapedEntitiesAreDecodedCompletely) {
    EXPECT_EQ(HtmlToText(u"a&amp;nbsp;b"_s), u"a b"_s);
    EXPECT_EQ(HtmlToText(u"O&amp;#39;Brien"_s), u"O'Brien"_s);
}

TEST_F(HtmlToTextSinglePass, LineBreaksAndTabsBecomeSpacesBeforeHalving) {
    EXPECT_EQ(HtmlToText(u"a\r\nb"_s), u"a b"_s);
    EXPECT_EQ(HtmlToText(u"a\tb\nc"_s), u"a b c"_s);
}

class HtmlToTextTable : public ::testing::Test {};

TEST_F(HtmlToTextTable, EncodedAddressIsRestored) {
    EXPECT_EQ(HtmlToText(u"http%3A%2F%2Fwww%2Eacme%2Ecom%2F"_s), u"http://www.acme.com/"_s);
}

TEST_F(HtmlToTextTable, DoubleQuotesAreRemoved) {
    EXPECT_EQ(HtmlToText(u"The \"Best\" Co"_s), u"The Best Co"_s);
}

TEST_F(HtmlToTextTable, ListedTagsAreRemovedInTheirLetterCaseOnly) {
    EXPECT_EQ(HtmlToText(u"<ul><li><b>A</b></li></ul><B>B</B>C</A>D<br/>E"_s), u"ABCDE"_s);
    EXPECT_EQ(HtmlToText(u"<UL><LI>x</LI></UL><p>y</p><BR/>z<a href=q>w</a>"_s),
              u"<UL><LI>x</LI></UL><p>y</p><BR/>z<a href=q>w</a>"_s);
}

TEST_F(HtmlToTextTable, ApostropheEntitiesBecomeApostrophes) {
    EXPECT_EQ(HtmlToText(u"a&#039;b&#39;c&#x2019;d"_s), u"a'b'c'd"_s);
}

TEST_F(HtmlToTextTable, EachAccentEntityBecomesItsLetter) {
    const struct {
        QString entity;
        QString letter;
    } cases[] = {
        {u"&#xe1;"_s, u"\u00e1"_s}, {u"&#xe9;"_s, u"\u00e9"_s}, {u"&#xf3;"_s, u"\u00f3"_s}, {u"&#xed;"_s, u"\u00ed"_s},
        {u"&#xfa;"_s, u"\u00fa"_s}, {u"&#xba;"_s, u"\u00ba"_s}, {u"&#xe0;"_s, u"\u00e0"_s}, {u"&#xe8;"_s, u"\u00e8"_s},
        {u"&#xea;"_s, u"\u00ea"_s}, {u"&#xeb;"_s, u"\u00eb"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.entity.toStdString());
        EXPECT_EQ(HtmlToText(u"x"_s + c.entity + u"y"_s), u"x"_s + c.letter + u"y"_s);
    }
    // Upper-case hex digits and other entities are not in the table.
    EXPECT_EQ(HtmlToText(u"&#xE9;&eacute;&lt;"_s), u"&#xE9;&eacute;&lt;"_s);
}

TEST_F(HtmlToTextTable, TheArgumentIsNotChanged) {
    const QString original = u"  <b>A</b>  "_s;
    QString copy = original;
    HtmlToText(copy);
    EXPECT_EQ(copy, original);
}

} // namespace
