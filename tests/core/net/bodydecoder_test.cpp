#include "core/net/bodydecoder.h"
#include "core/util/codepage.h"

#include <gtest/gtest.h>

TEST(CharsetOf, FindsTheParameterInAnyCaseAndQuoting) {
    EXPECT_EQ(CharsetOf("text/html; charset=UTF-8"), QByteArray("UTF-8"));
    EXPECT_EQ(CharsetOf("text/html;Charset=\"windows-1252\";q=1"), QByteArray("windows-1252"));
    EXPECT_EQ(CharsetOf("text/html"), QByteArray());
    EXPECT_EQ(CharsetOf("text/html; format=flowed"), QByteArray());
}

// Decoding rules that the loopback tests do not reach.
class BodyDecoding : public ::testing::Test {
protected:
    void SetUp() override { CodePage::setCurrent(CodePage::named("windows-1252")); }
    void TearDown() override { CodePage::resetCurrent(); }
};

TEST_F(BodyDecoding, UnknownCharsetFallsBackToTheCodePage) {
    EXPECT_EQ(DecodeBody("caf\xE9", "text/html; charset=no-such-set", false), QStringLiteral("caf\u00E9"));
}

TEST_F(BodyDecoding, Utf8RequestIgnoresTheDeclaredCharset) {
    EXPECT_EQ(DecodeBody("caf\xC3\xA9", "text/html; charset=windows-1252", true), QStringLiteral("caf\u00E9"));
}
