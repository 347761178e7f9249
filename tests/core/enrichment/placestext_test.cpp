#include "core/enrichment/geocodereply.h"
#include "core/enrichment/placesreply.h"
#include "core/enrichment/placestext.h"
#include "enrichmentsite.h"

#include <gtest/gtest.h>

namespace {

TEST(EncodeQueryValue, CopiesLettersDigitsAndThreeMarks) {
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("Az09-./")), u"Az09-./");
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("Paris,75001, France")), u"Paris%2C75001%2C%20France");
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("a_b~c+d")), u"a%5Fb%7Ec%2Bd");
    EXPECT_TRUE(EncodeQueryValue(QString()).isEmpty());
}

TEST(EncodeQueryValue, AmpersandNoLongerEndsTheValue) {
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("Smith & Sons")), u"Smith%20%26%20Sons");
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("a=b#c?d")), u"a%3Db%23c%3Fd");
}

TEST(EncodeQueryValue, SendsTheUtf8BytesOfOtherCharacters) {
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("Café")), u"Caf%C3%A9");
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("Łódź")), u"%C5%81%C3%B3d%C5%BA");
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("東京")), u"%E6%9D%B1%E4%BA%AC");
    EXPECT_EQ(EncodeQueryValue(QString::fromUtf8("\xF0\x9F\x8D\x95")), u"%F0%9F%8D%95");
}

TEST(RepairTextArtifacts, UndoesUtf8ReadAsWindows1252) {
    EXPECT_EQ(RepairTextArtifacts(QStringLiteral("K\u00C3\u00A4se M\u00C3\u00BCller No\u00C3\u00ABl na\u00C3\u00AFf "
                                                 "sch\u00C3\u00B6n caf\u00C3\u00A9 Stra\u00C3\u0178e")),
              u"Käse Müller Noël naïf schön café Straße");
    EXPECT_EQ(RepairTextArtifacts(QStringLiteral("Joe\u00E2\u20AC\u2122s &#39;n\u00E2\u20AC\u017D")), u"Joe's 'n");
}

TEST(RepairTextArtifacts, RemovesTagsAndEntitiesInTableOrder) {
    EXPECT_EQ(RepairTextArtifacts(QStringLiteral("a&nbsp;-&nbsp;b</nobr>")), u"ab");
    // "&amp;" is decoded before "&nbsp;", so a doubly escaped blank becomes a blank.
    EXPECT_EQ(RepairTextArtifacts(QStringLiteral("a&amp;nbsp;b")), u"a b");
    EXPECT_EQ(RepairTextArtifacts(QStringLiteral("<span>x</span><div>y</div>")), u"x y");
    EXPECT_EQ(RepairTextArtifacts(QStringLiteral("<SPAN>x</SPAN>")), u"<SPAN>x</SPAN>");
}

TEST(RepairTextArtifacts, TrimsSpacesAndControlsAtBothEnds) {
    EXPECT_EQ(RepairTextArtifacts(QStringLiteral(" \t\"cafe\", \"food\" \r\n")), u"\"cafe\", \"food\"");
    EXPECT_EQ(RepairTextArtifacts(QStringLiteral("<div>x</div>")), u"x");
}

TEST(StripLineBreaks, RemovesBreaksEverywhereAndTrimsEnds) {
    EXPECT_EQ(StripLineBreaks(QStringLiteral(" 2.3364\r\n            ")), u"2.3364");
    EXPECT_EQ(StripLineBreaks(QStringLiteral("48.\r\n86")), u"48.86");
    EXPECT_EQ(StripLineBreaks(QStringLiteral("a b")), u"a b");
    EXPECT_TRUE(StripLineBreaks(QStringLiteral("\r\n\t ")).isEmpty());
}

TEST(ExtractLatLong, ReadsTheThreePairsInMarkerOrder) {
    const GeocodePairs pairs = ExtractLatLong(QString::fromUtf8(TestDataFile(QStringLiteral("geocode_paris.json"))));

    EXPECT_EQ(pairs.ALatitude1, u"48.8699");
    EXPECT_EQ(pairs.ALongitude1, u"2.3508");
    EXPECT_EQ(pairs.ALatitude2, u"48.8541");
    EXPECT_EQ(pairs.ALongitude2, u"2.3200");
    EXPECT_EQ(pairs.ALatitude3, u"48.8625");
    EXPECT_EQ(pairs.ALongitude3, u"2.3364");
}

TEST(ExtractLatLong, LocationBeforeTheCornersIsPassedOver) {
    const QString reply = QStringLiteral(R"("location" : { "lat" : 1.5, "lng" : 2.5 },
        "viewport" : { "northeast" : { "lat" : 3.5, "lng" : 4.5 }, "southwest" : { "lat" : 5.5, "lng" : 6.5 } })");
    const GeocodePairs pairs = ExtractLatLong(reply);

    EXPECT_EQ(pairs.ALatitude1, u"3.5");
    EXPECT_EQ(pairs.ALongitude2, u"6.5");
    EXPECT_TRUE(pairs.ALatitude3.isEmpty());
    EXPECT_TRUE(pairs.ALongitude3.isEmpty());

    const GeocodePairs later = ExtractLatLong(reply + QStringLiteral(R"(, "location" : { "lat" : 7.5, "lng" : 8.5 })"));
    EXPECT_EQ(later.ALatitude3, u"7.5");
    EXPECT_EQ(later.ALongitude3, u"8.5");
}

TEST(ExtractLatLong, MarkersNeedTheirExactBlanksAndCase) {
    const GeocodePairs compact = ExtractLatLong(QStringLiteral(R"({"location":{"lat":1.5,"lng":2.5}})"));
    EXPECT_TRUE(compact.ALatitude3.isEmpty());

    const GeocodePairs otherCase = ExtractLatLong(QStringLiteral(R"("Location" : { "lat" : 1.5, "lng" : 2.5 })"));
    EXPECT_TRUE(otherCase.ALatitude3.isEmpty());

    // Without corners the first location is the third pair.
    const GeocodePairs locationOnly = ExtractLatLong(QStringLiteral(R"("location" : { "lat" : 1.5, "lng" : 2.5 })"));
    EXPECT_TRUE(locationOnly.ALatitude1.isEmpty());
    EXPECT_EQ(locationOnly.ALatitude3, u"1.5");
    EXPECT_EQ(locationOnly.ALongitude3, u"2.5");
}

TEST(RegionFromAdrAddress, TakesTheRegionBehindStreetAndLocality) {
    EXPECT_EQ(RegionFromAdrAddress(QStringLiteral(R"(<span class="street-address">1 Region St</span>, )"
                                                  R"(<span class="locality">Regionville</span>, )"
                                                  R"(<span class="region">IL</span>)")),
              u"IL");
    EXPECT_EQ(RegionFromAdrAddress(QStringLiteral(R"(<span class="region">Île-de-France</span>)")), u"Île-de-France");
}

TEST(RegionFromAdrAddress, EmptyWithoutARegionElement) {
    EXPECT_TRUE(RegionFromAdrAddress(QString()).isEmpty());
    EXPECT_TRUE(RegionFromAdrAddress(QStringLiteral(R"(<span class="locality">Paris</span>)")).isEmpty());
    EXPECT_TRUE(RegionFromAdrAddress(QStringLiteral(R"(<span class="REGION">IL</span>)")).isEmpty());
}

TEST(TypesFromDetailsReply, TakesTheListBehindTheFirstCoordinates) {
    const QString reply = QString::fromUtf8(TestDataFile(QStringLiteral("details_cafe.json")));

    EXPECT_EQ(TypesFromDetailsReply(reply), u"cafe, food, point_of_interest, establishment");
}

TEST(TypesFromDetailsReply, EmptyWhenNoListFollowsTheCoordinates) {
    EXPECT_TRUE(
        TypesFromDetailsReply(QStringLiteral(R"("types" : [ "route" ], "lat" : 1.5, "lng" : 2.5 })")).isEmpty());
    EXPECT_TRUE(TypesFromDetailsReply(QString()).isEmpty());
}

TEST(TypesFromDetailsReply, RepairsTheListAndDropsQuotes) {
    const QString reply = QStringLiteral(R"("lat" : 1.5, "lng" : 2.5 }, "types" : [ "joe)"
                                         "\u00E2\u20AC\u2122"
                                         R"(s_bar", "food" ] })");

    EXPECT_EQ(TypesFromDetailsReply(reply), u"joe's_bar, food");
}

TEST(ParseReplyObject, AcceptsOnlyASingleObject) {
    EXPECT_TRUE(ParseReplyObject(QStringLiteral(R"({"status":"OK"})")).has_value());
    EXPECT_FALSE(ParseReplyObject(QStringLiteral(R"(["status","OK"])")).has_value());
    EXPECT_FALSE(ParseReplyObject(QStringLiteral("<html>Service unavailable</html>")).has_value());
    EXPECT_FALSE(ParseReplyObject(QString()).has_value());
}

TEST(ParseReplyObject, KeepsNonAsciiText) {
    const auto reply = ParseReplyObject(QStringLiteral(R"({"region":"Île-de-France","status":"OK"})"));

    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->value(QLatin1String("region")).toString(), u"Île-de-France");
    EXPECT_TRUE(HasStatusOk(*reply));
}

TEST(HasStatusOk, NeedsExactlyOk) {
    EXPECT_FALSE(HasStatusOk(*ParseReplyObject(QStringLiteral(R"({"status":"ok"})"))));
    EXPECT_FALSE(HasStatusOk(*ParseReplyObject(QStringLiteral(R"({"status":"ZERO_RESULTS"})"))));
    EXPECT_FALSE(HasStatusOk(*ParseReplyObject(QStringLiteral(R"({"results":[]})"))));
}

} // namespace
