#include "core/net/bodydecoder.h"
#include "core/net/bodytextdecoder.h"
#include "core/util/codepage.h"

#include <QList>

#include <gtest/gtest.h>

#include <algorithm>

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

// A body decoded piece by piece as it arrives gives the text of decoding it whole, wherever
// the pieces split it.
class PieceByPieceDecoding : public ::testing::Test {
protected:
    struct Way {
        const char *label;
        QByteArray contentType;
        bool utf8;
        QByteArray codePage;
    };

    void TearDown() override { CodePage::resetCurrent(); }

    static QList<Way> Ways() {
        return {
            {"UseUTF8", "text/html; charset=windows-1252", true, "windows-1252"},
            {"declared UTF-8", "text/html; charset=utf-8", false, "windows-1252"},
            {"declared windows-1252", "text/html; charset=windows-1252", false, "UTF-8"},
            {"declared ISO-8859-1", "text/html; charset=ISO-8859-1", false, "UTF-8"},
            {"declared Shift_JIS", "text/html; charset=Shift_JIS", false, "UTF-8"},
            {"declared UTF-16", "text/html; charset=UTF-16", false, "UTF-8"},
            {"code page windows-1252", "text/html", false, "windows-1252"},
            {"code page UTF-8", "text/html", false, "UTF-8"},
            {"code page ISO-8859-15", "text/html; charset=no-such-set", false, "ISO-8859-15"},
            {"code page UTF_8", "text/html", false, "UTF_8"},
            {"declared locale", "text/html; charset=locale", false, "windows-1252"},
        };
    }

    // Bodies that put every kind of sequence at a piece boundary: random bytes, text with
    // characters of two, three and four bytes, byte-order marks at the start and inside, and
    // sequences that are cut short or malformed.
    static QList<QByteArray> Bodies() {
        QList<QByteArray> bodies = {
            "",
            "plain ASCII",
            "\xEF\xBB\xBF"
            "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xEF\xBB\xBF end",
            "\xEF\xBB\xBF\xEF\xBB\xBF"
            "double mark",
            "\xEF\xBB",
            "tail \xE2\x82",
            "bad \xC3\x28 \xE2\x28\xA1 \xF0\x28\x8C\xBC \xC0\xAF \xED\xA0\x80 \xF8\x88\x80\x80\x80 \xFF \x80\xBF",
            "\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xF0\x9F\x98\x80\xC3\xA9\xC3",
            "\x82\xA0\x82\xA2 Shift_JIS \x93\xFA\x96\x7B\x8C\xEA \x81",
            QByteArrayLiteral("\xFF\xFE"
                              "a\0b\0\x3D\xD8\x00\xDE"
                              "c"),
        };
        quint32 seed = 12345;
        const auto next = [&seed] {
            seed = seed * 1103515245u + 12345u;
            return static_cast<char>((seed >> 16) & 0xFF);
        };
        for (int body = 0; body < 12; ++body) {
            QByteArray bytes;
            for (int i = 0; i < 48; ++i) {
                bytes.append(next());
            }
            bodies.append(bytes);
        }
        // Valid UTF-8 drawn from a few scripts.
        const QString sample = QStringLiteral("a\u00E9\u20AC\U0001F600z\u0142\u65E5\u672C");
        for (int body = 0; body < 4; ++body) {
            QString text;
            for (int i = 0; i < 24; ++i) {
                text += sample.at(static_cast<uchar>(next()) % sample.size());
            }
            bodies.append(text.toUtf8());
        }
        return bodies;
    }

    static QString InPieces(const Way &way, const QByteArray &body, const QList<qsizetype> &cuts) {
        BodyTextDecoder decoder(way.utf8, way.contentType);
        qsizetype from = 0;
        for (const qsizetype cut : cuts) {
            decoder.Append(QByteArrayView(body).sliced(from, cut - from));
            from = cut;
        }
        decoder.Append(QByteArrayView(body).sliced(from));
        return decoder.Finish();
    }
};

TEST_F(PieceByPieceDecoding, EverySplitGivesTheWholeBodysText) {
    for (const Way &way : Ways()) {
        CodePage::setCurrent(CodePage::named(way.codePage));
        for (const QByteArray &body : Bodies()) {
            const QString whole = DecodeBody(body, way.contentType, way.utf8);
            const auto context = [&] {
                return std::string(way.label) + " " + body.toHex().toStdString();
            };
            ASSERT_EQ(InPieces(way, body, {}), whole) << context();
            for (qsizetype cut = 0; cut <= body.size(); ++cut) {
                ASSERT_EQ(InPieces(way, body, {cut}), whole) << context() << " cut at " << cut;
            }
            for (qsizetype first = 0; first <= body.size(); ++first) {
                for (qsizetype second = first; second <= std::min(body.size(), first + 4); ++second) {
                    ASSERT_EQ(InPieces(way, body, {first, second}), whole)
                        << context() << " cut at " << first << " and " << second;
                }
            }
            QList<qsizetype> everyByte;
            for (qsizetype cut = 1; cut < body.size(); ++cut) {
                everyByte.append(cut);
            }
            ASSERT_EQ(InPieces(way, body, everyByte), whole) << context() << " byte by byte";
        }
    }
}
