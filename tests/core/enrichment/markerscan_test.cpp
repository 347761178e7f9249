#include "core/enrichment/markerscan.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr std::array<QStringView, 3> markers{u"\"type\":\"", u"specialties\":", u"\"yearFounded\":"};

MarkerScan Scan(QStringView text) {
    return MarkerScan(text, markers, u"\":");
}

TEST(MarkerScan, FindsFirstOccurrencesWithAndWithoutCase) {
    const QString text = QStringLiteral(R"({"TYPE":"a","type":"b","Specialties":[],"yearFounded":1})");
    const MarkerScan scan = Scan(text);

    EXPECT_EQ(scan.FirstFolded(0), text.indexOf(u"\"TYPE\""));
    EXPECT_EQ(scan.FirstExact(0), text.indexOf(u"\"type\""));
    EXPECT_EQ(scan.FirstFolded(1), text.indexOf(u"Specialties"));
    EXPECT_EQ(scan.FirstExact(1), -1);
    EXPECT_EQ(scan.FirstExact(2), text.indexOf(u"\"yearFounded\""));
    EXPECT_EQ(scan.FirstFolded(2), scan.FirstExact(2));
}

TEST(MarkerScan, MarkersAtTheEdgesOfTheText) {
    const QString text = QStringLiteral(R"("type":"x"yearFounded":)");
    const MarkerScan scan = Scan(text);

    EXPECT_EQ(scan.FirstExact(0), 0);
    EXPECT_EQ(scan.FirstExact(2), text.size() - 14);
    // An anchor too close to the start for the longer marker is passed over.
    EXPECT_EQ(Scan(u"s\":").FirstFolded(1), -1);
}

TEST(MarkerScan, AbsentMarkersAndEmptyText) {
    const MarkerScan none = Scan(u"\"name\":\"Acme\" \"type\" : \"x\"");
    const MarkerScan empty = Scan(QStringView());
    for (int marker = 0; marker < 3; ++marker) {
        EXPECT_EQ(none.FirstExact(marker), -1);
        EXPECT_EQ(none.FirstFolded(marker), -1);
        EXPECT_EQ(empty.FirstFolded(marker), -1);
    }
}

TEST(MarkerScan, AnchorWithLettersIsFoundInEitherCase) {
    const std::array<QStringView, 2> withLetters{u"<b>Type:", u"<b>Size:"};
    const QString text = QStringLiteral("<B>TYPE: x <b>Type: y <B>size: z");
    const MarkerScan scan(text, withLetters, u"e:");

    EXPECT_EQ(scan.FirstFolded(0), 0);
    EXPECT_EQ(scan.FirstExact(0), text.indexOf(u"<b>Type:"));
    EXPECT_EQ(scan.FirstFolded(1), text.indexOf(u"<B>size:"));
    EXPECT_EQ(scan.FirstExact(1), -1);
}

TEST(MarkerScan, AccentedLettersAreNotFolded) {
    const MarkerScan scan(u"\"caf\u00C9\":1", std::array<QStringView, 1>{u"\"caf\u00E9\":"}, u"\":");
    EXPECT_EQ(scan.FirstFolded(0), -1);
}

} // namespace
