#include "core/settings/booleantext.h"

#include <QString>

#include <gtest/gtest.h>

TEST(ParseBooleanText, DecimalNumbersAreTrueUnlessZero) {
    for (const char16_t *text : {u"-1", u"1", u"+2", u"0.5", u" 7 ", u"1e3", u"-0.01E+2", u"5."}) {
        EXPECT_EQ(ParseBooleanText(text, u"."), std::optional<bool>(true)) << QString::fromUtf16(text).toStdString();
    }
    for (const char16_t *text : {u"0", u"-0", u"0.000", u"  0", u"0e9", u"00"}) {
        EXPECT_EQ(ParseBooleanText(text, u"."), std::optional<bool>(false)) << QString::fromUtf16(text).toStdString();
    }
}

TEST(ParseBooleanText, TrueAndFalseInAnyLetterCase) {
    EXPECT_EQ(ParseBooleanText(u"True", u"."), std::optional<bool>(true));
    EXPECT_EQ(ParseBooleanText(u"tRUE", u"."), std::optional<bool>(true));
    EXPECT_EQ(ParseBooleanText(u"false", u"."), std::optional<bool>(false));
    EXPECT_EQ(ParseBooleanText(u"FALSE", u"."), std::optional<bool>(false));
}

TEST(ParseBooleanText, AnythingElseIsInvalid) {
    for (const char16_t *text :
         {u"", u" ", u"yes", u"no", u"-", u".", u"1e", u"1 1", u"0x1", u"1,0", u"Truely", u" True", u"inf", u"\t1"}) {
        EXPECT_EQ(ParseBooleanText(text, u"."), std::nullopt) << QString::fromUtf16(text).toStdString();
    }
}

TEST(ParseBooleanText, TheUsersDecimalSeparatorApplies) {
    EXPECT_EQ(ParseBooleanText(u"0,5", u","), std::optional<bool>(true));
    EXPECT_EQ(ParseBooleanText(u"0,0", u","), std::optional<bool>(false));
    EXPECT_EQ(ParseBooleanText(u"0.5", u","), std::nullopt);
}

TEST(BooleanText, StoredAsMinusOneAndZero) {
    EXPECT_EQ(BooleanText(true), QStringLiteral("-1"));
    EXPECT_EQ(BooleanText(false), QStringLiteral("0"));
    EXPECT_EQ(ParseBooleanText(BooleanText(true)), std::optional<bool>(true));
    EXPECT_EQ(ParseBooleanText(BooleanText(false)), std::optional<bool>(false));
}
