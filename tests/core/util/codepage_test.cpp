#include "core/util/codepage.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace Qt::StringLiterals;

namespace {

// Each test runs with an explicit code page and gives the locale's back afterwards.
class CodePageTest : public ::testing::Test {
protected:
    void TearDown() override { CodePage::resetCurrent(); }

    static const CodePage &windows1252() {
        static const CodePage codePage = CodePage::named("windows-1252");
        return codePage;
    }
    static const CodePage &utf8() {
        static const CodePage codePage = CodePage::named("UTF-8");
        return codePage;
    }
};

using CodePageSelection = CodePageTest;
using CodePageEncoding = CodePageTest;
using CodePageFileDecoding = CodePageTest;

} // namespace

TEST_F(CodePageSelection, ExplicitChoiceWinsUntilReset) {
    CodePage::setCurrent(windows1252());
    EXPECT_EQ(CodePage::current().name(), QByteArray("windows-1252"));
    CodePage::resetCurrent();
    EXPECT_EQ(CodePage::current().name(), CodePage::fromLocale().name());
}

TEST_F(CodePageSelection, LocaleCodeSetIsUsableAndUtf8SpellingsAgree) {
    EXPECT_TRUE(CodePage::fromLocale().isValid());
    EXPECT_TRUE(CodePage::named("utf8").isUtf8());
    EXPECT_TRUE(CodePage::named("Utf-8").isUtf8());
    EXPECT_FALSE(windows1252().isUtf8());
    EXPECT_TRUE(windows1252().isValid());
    EXPECT_FALSE(CodePage::named("no-such-code-page").isValid());
}

TEST_F(CodePageSelection, LocaleWithoutCodeSetCountsAsUtf8) {
    const QByteArray saved = qgetenv("LC_ALL");
    for (const char *locale : {"C", "POSIX", "C.UTF-8"}) {
        qputenv("LC_ALL", locale);
        EXPECT_TRUE(CodePage::fromLocale().isUtf8()) << locale;
    }
    if (saved.isNull())
        qunsetenv("LC_ALL");
    else
        qputenv("LC_ALL", saved);
}

TEST_F(CodePageEncoding, Windows1252HoldsWesternLettersAsSingleBytes) {
    EXPECT_EQ(windows1252().encode(u"Caf\u00e9 \u20ac"), QByteArray("Caf\xE9 \x80"));
}

TEST_F(CodePageEncoding, Windows1252ReplacesWhatItCannotHoldWithQuestionMark) {
    // Cyrillic, CJK and a character outside the basic plane (a surrogate pair) each become one "?".
    EXPECT_EQ(windows1252().encode(u"p\u0436w\u4e2d\U0001F600!"), QByteArray("p?w?") + QByteArray("?!"));
}

TEST_F(CodePageEncoding, RealControlCharacterIsKeptNextToReplacedOnes) {
    const QString text = u"a"_s + QChar(0x1A) + u"\u0436"_s;
    EXPECT_EQ(windows1252().encode(text), QByteArray("a\x1A?"));
}

TEST_F(CodePageEncoding, Utf8WritesNoByteOrderMark) {
    EXPECT_EQ(utf8().encode(u"\u00e9\u0436"), QByteArray("\xC3\xA9\xD0\xB6"));
    EXPECT_TRUE(utf8().encode(u"").isEmpty());
}

TEST_F(CodePageFileDecoding, ByteOrderMarksSelectTheirEncodingWhateverTheCodePage) {
    for (const CodePage &codePage : {windows1252(), utf8()}) {
        EXPECT_EQ(codePage.decodeFile(QByteArray("\xEF\xBB\xBF"
                                                 "D\xC3\xA9marrer")),
                  u"D\u00e9marrer"_s);
        EXPECT_EQ(codePage.decodeFile(QByteArray("\xFF\xFE"
                                                 "A\0\xE9\0",
                                                 6)),
                  u"A\u00e9"_s);
        EXPECT_EQ(codePage.decodeFile(QByteArray("\xFE\xFF\0A\0\xE9", 6)), u"A\u00e9"_s);
    }
}

TEST_F(CodePageFileDecoding, OnlyTheLeadingByteOrderMarkIsRemoved) {
    EXPECT_EQ(utf8().decodeFile(QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx")), u"\ufeffx"_s);
}

TEST_F(CodePageFileDecoding, WithoutMarkTheCodePageApplies) {
    const QByteArray utf8Bytes("D\xC3\xA9marrer");
    EXPECT_EQ(utf8().decodeFile(utf8Bytes), u"D\u00e9marrer"_s);
    // The same bytes read as Windows-1252 show two other characters.
    EXPECT_EQ(windows1252().decodeFile(utf8Bytes), u"D\u00c3\u00a9marrer"_s);
}

TEST_F(CodePageFileDecoding, InvalidUtf8FallsBackToWindows1252) {
    EXPECT_EQ(utf8().decodeFile(QByteArray("Caf\xE9 \x80 \x93ok\x94")), u"Caf\u00e9 \u20ac \u201cok\u201d"_s);
}

TEST_F(CodePageFileDecoding, Windows1252RoundTripsEveryCharacterItHolds) {
    QByteArray bytes;
    for (int b = 0x20; b < 0x100; ++b) {
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            continue; // not assigned in Windows-1252
        bytes += char(b);
    }
    EXPECT_EQ(windows1252().encode(windows1252().decodeFile(bytes)), bytes);
}
