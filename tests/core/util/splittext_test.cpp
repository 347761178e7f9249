#include "core/util/textcursor.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class SplitTextPieces : public ::testing::Test {
protected:
    QStringList split(const QString &text, const QString &delimiter) {
        QStringList list{u"stale"_s, u"entries"_s};
        SplitText(text, delimiter, list);
        return list;
    }
};

TEST_F(SplitTextPieces, ProxyLineGivesItsFourPartsInOrder) {
    EXPECT_EQ(split(u"10.0.0.1:8080:user:secret"_s, u":"_s),
              (QStringList{u"10.0.0.1"_s, u"8080"_s, u"user"_s, u"secret"_s}));
    EXPECT_EQ(split(u"1.2.3.4:80"_s, u":"_s), (QStringList{u"1.2.3.4"_s, u"80"_s}));
}

TEST_F(SplitTextPieces, EmptyPiecesAtEitherEndAreKept) {
    EXPECT_EQ(split(u"a:b:"_s, u":"_s), (QStringList{u"a"_s, u"b"_s, QString()}));
    EXPECT_EQ(split(u":a"_s, u":"_s), (QStringList{QString(), u"a"_s}));
    EXPECT_EQ(split(u"a::b"_s, u":"_s), (QStringList{u"a"_s, QString(), u"b"_s}));
}

TEST_F(SplitTextPieces, TextWithoutDelimiterIsOnePieceAndEarlierContentIsDiscarded) {
    EXPECT_EQ(split(u"abc"_s, u":"_s), QStringList{u"abc"_s});
    EXPECT_EQ(split(QString(), u":"_s), QStringList{QString()});
    EXPECT_EQ(split(u"a:b"_s, QString()), QStringList{u"a:b"_s});
}

TEST_F(SplitTextPieces, LongDelimitersMatchExactCaseWithoutOverlap) {
    EXPECT_EQ(split(u"aXyZbxyzc"_s, u"xyz"_s), (QStringList{u"aXyZb"_s, u"c"_s}));
    EXPECT_EQ(split(u"a---b"_s, u"--"_s), (QStringList{u"a"_s, u"-b"_s}));
}

} // namespace
