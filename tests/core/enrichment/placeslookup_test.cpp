#include "core/enrichment/placeslookup.h"
#include "enrichmentsite.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

const QString keyA = QStringLiteral("AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA1");
const QString keyB = QStringLiteral("BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB2");
const QString geocodePath = QStringLiteral("/maps/api/geocode/json");
const QString nearbyPath = QStringLiteral("/maps/api/place/nearbysearch/json");
const QString detailsPath = QStringLiteral("/maps/api/place/details/json");

struct Outputs {
    QString phone = QStringLiteral("phone before");
    QString details = QStringLiteral("details before");
    QString state = QStringLiteral("state before");
    QString category = QStringLiteral("category before");

    bool operator==(const Outputs &) const = default;
};

class PlacesLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(site.isRunning());
        Endpoints &endpoints = transport.test.context.endpoints;
        endpoints.placesHttp = site.Base();
        endpoints.placesHttps = site.Base();
        endpoints.placesKeyA = keyA;
        endpoints.placesKeyB = keyB;
        lookup.setKeyDraw([this] {
            const int draw = draws.empty() ? 0 : draws.front();
            if (!draws.empty()) {
                draws.pop_front();
            }
            return draw;
        });
        site.Serve(geocodePath, TestDataFile(QStringLiteral("geocode_paris.json")), "application/json");
        site.Serve(nearbyPath, TestDataFile(QStringLiteral("nearby_cafe.json")), "application/json; charset=UTF-8");
        site.Serve(detailsPath, TestDataFile(QStringLiteral("details_cafe.json")), "application/json; charset=UTF-8");
    }

    Outputs Run(const QString &category = QStringLiteral("Café de Flore"),
                const QString &location = QStringLiteral("Paris,75001, France")) {
        Outputs outputs;
        outcome = QCoro::waitFor(lookup.ParsePair(category, location, QStringLiteral("France"), outputs.phone,
                                                  outputs.details, outputs.state, outputs.category, transport.stop));
        return outputs;
    }

    QString DetailsUrl(const QString &placeId, const QString &key) const {
        return site.Url(detailsPath) + u"?placeid=" + placeId + u"&key=" + key;
    }

    SiteServer site;
    LoopbackTransport transport;
    RecordingFetcher fetcher{transport.downloader};
    PlacesLookup lookup{transport.test.context.endpoints, fetcher};
    std::deque<int> draws;
    PlacesOutcome outcome;
};

class PlacesLookupSuccess : public PlacesLookupTest {};

TEST_F(PlacesLookupSuccess, WritesTheFourCellsFromTheNearestPlace) {
    const Outputs outputs = Run();

    EXPECT_EQ(outputs.phone, u"01 45 48 55 26");
    EXPECT_EQ(outputs.details, DetailsUrl(QStringLiteral("ChIJ-nearest"), keyA));
    EXPECT_EQ(outputs.state, u"Île-de-France");
    EXPECT_EQ(outputs.category, u"cafe, food, point_of_interest, establishment");
}

TEST_F(PlacesLookupSuccess, SendsTheThreeRequestsWithEncodedValues) {
    Run();

    const QStringList targets = site.Targets();
    ASSERT_EQ(targets.size(), 3);
    EXPECT_EQ(targets[0], geocodePath + u"?sensor=false&address=Paris%2C75001%2C%20France&key=" + keyA);
    EXPECT_EQ(targets[1],
              nearbyPath + u"?location=48.8625,2.3364&keyword=Caf%C3%A9%20de%20Flore&rankby=distance&key=" + keyA);
    EXPECT_EQ(targets[2], detailsPath + u"?placeid=ChIJ-nearest&key=" + keyA);
}

TEST_F(PlacesLookupSuccess, GeocodingIsReadAsDeclaredAndThePlacesRepliesAsUtf8) {
    Run();

    ASSERT_EQ(fetcher.calls.size(), 3);
    EXPECT_TRUE(fetcher.calls[0].url.startsWith(site.Url(geocodePath)));
    EXPECT_FALSE(fetcher.calls[0].useUtf8);
    EXPECT_TRUE(fetcher.calls[1].url.startsWith(site.Url(nearbyPath)));
    EXPECT_TRUE(fetcher.calls[1].useUtf8);
    EXPECT_TRUE(fetcher.calls[2].url.startsWith(site.Url(detailsPath)));
    EXPECT_TRUE(fetcher.calls[2].useUtf8);
    for (const RecordingFetcher::Call &call : fetcher.calls) {
        EXPECT_FALSE(call.direct);
    }
}

TEST_F(PlacesLookupSuccess, AmpersandInTheNameReachesTheServiceWhole) {
    Run(QStringLiteral("Smith & Sons"));

    const QStringList targets = site.Targets();
    ASSERT_GE(targets.size(), 2);
    EXPECT_TRUE(targets[1].contains(u"&keyword=Smith%20%26%20Sons&rankby=distance&")) << targets[1].toStdString();
}

TEST_F(PlacesLookupSuccess, EachRequestDrawsItsOwnKey) {
    draws = {9, 6, 5};
    const Outputs first = Run();
    EXPECT_TRUE(site.Targets()[0].endsWith(u"&key=" + keyB));
    EXPECT_TRUE(site.Targets()[1].endsWith(u"&key=" + keyB));
    EXPECT_EQ(first.details, DetailsUrl(QStringLiteral("ChIJ-nearest"), keyA));

    draws = {0, 0, 9};
    const Outputs second = Run();
    EXPECT_TRUE(site.Targets()[4].endsWith(u"&key=" + keyA));
    EXPECT_EQ(second.details, DetailsUrl(QStringLiteral("ChIJ-nearest"), keyB));
}

TEST_F(PlacesLookupSuccess, MissingMembersEmptyTheirCells) {
    site.Serve(detailsPath, R"({"result":{"name":"Bare","geometry":{"location":{"lat":1,"lng":2}}},"status":"OK"})");
    const Outputs outputs = Run();

    EXPECT_TRUE(outputs.phone.isEmpty());
    EXPECT_TRUE(outputs.state.isEmpty());
    EXPECT_TRUE(outputs.category.isEmpty());
    EXPECT_EQ(outputs.details, DetailsUrl(QStringLiteral("ChIJ-nearest"), keyA));
}

TEST_F(PlacesLookupSuccess, AddressWithoutRegionEmptiesTheState) {
    site.Serve(detailsPath,
               R"({"result":{"adr_address":"<span class=\"locality\">Paris</span>","formatted_phone_number":"1"},)"
               R"("status":"OK"})");
    const Outputs outputs = Run();

    EXPECT_EQ(outputs.phone, u"1");
    EXPECT_TRUE(outputs.state.isEmpty());
}

class PlacesLookupStops : public PlacesLookupTest {
protected:
    // A status other than OK and ZERO_RESULTS is the service refusing: a failed lookup.
    void ExpectUnchangedAfter(int requests, PlacesOutcome::Kind kind = PlacesOutcome::Kind::Done) {
        EXPECT_EQ(Run(), Outputs{});
        EXPECT_EQ(site.Targets().size(), requests);
        EXPECT_EQ(outcome.kind, kind);
    }
};

TEST_F(PlacesLookupStops, GeocodingFetchFails) {
    site.Fail(geocodePath);
    ExpectUnchangedAfter(1, PlacesOutcome::Kind::Failed);
}

TEST_F(PlacesLookupStops, GeocodingRefusedWithTheServicesReason) {
    site.Serve(geocodePath, R"({"error_message":"The key is invalid.","results":[],"status":"REQUEST_DENIED"})");
    ExpectUnchangedAfter(1, PlacesOutcome::Kind::Refused);
    EXPECT_EQ(outcome.reason, u"REQUEST_DENIED: The key is invalid.");
}

TEST_F(PlacesLookupStops, NoKeyAtAllAsksNothing) {
    transport.test.context.endpoints.placesKeyA.clear();
    transport.test.context.endpoints.placesKeyB.clear();
    ExpectUnchangedAfter(0, PlacesOutcome::Kind::NoKeys);
}

TEST_F(PlacesLookupStops, LocationOnlyBeforeTheCorners) {
    site.Serve(geocodePath, R"({ "location" : { "lat" : 1.5, "lng" : 2.5 },
        "viewport" : { "northeast" : { "lat" : 3.5, "lng" : 4.5 }, "southwest" : { "lat" : 5.5, "lng" : 6.5 } } })");
    ExpectUnchangedAfter(1);
}

TEST_F(PlacesLookupStops, NearbySearchFails) {
    site.Fail(nearbyPath);
    ExpectUnchangedAfter(2, PlacesOutcome::Kind::Failed);
}

TEST_F(PlacesLookupStops, NearbySearchFindsNothing) {
    site.Serve(nearbyPath, R"({"html_attributions":[],"results":[],"status":"ZERO_RESULTS"})");
    ExpectUnchangedAfter(2);
}

TEST_F(PlacesLookupStops, NearbySearchOkWithoutResults) {
    site.Serve(nearbyPath, R"({"results":[],"status":"OK"})");
    ExpectUnchangedAfter(2);
}

TEST_F(PlacesLookupStops, NearbySearchStatusOtherThanOk) {
    site.Serve(nearbyPath, R"({"results":[{"place_id":"x"}],"status":"OVER_QUERY_LIMIT"})");
    ExpectUnchangedAfter(2, PlacesOutcome::Kind::Refused);
    EXPECT_EQ(outcome.reason, u"OVER_QUERY_LIMIT");
}

TEST_F(PlacesLookupStops, NearbySearchReplyIsNotJson) {
    site.Serve(nearbyPath, "<html><body>Bad gateway</body></html>");
    ExpectUnchangedAfter(2);
}

TEST_F(PlacesLookupStops, ResultsIsNotAnArray) {
    site.Serve(nearbyPath, R"({"results":{"place_id":"x"},"status":"OK"})");
    ExpectUnchangedAfter(2);
}

TEST_F(PlacesLookupStops, FirstResultIsNotAnObject) {
    site.Serve(nearbyPath, R"({"results":["ChIJ-x",{"place_id":"ChIJ-y"}],"status":"OK"})");
    ExpectUnchangedAfter(2);
}

TEST_F(PlacesLookupStops, FirstResultHasNoPlaceId) {
    site.Serve(nearbyPath, R"({"results":[{"name":"x"},{"place_id":"ChIJ-y"}],"status":"OK"})");
    ExpectUnchangedAfter(2);
}

TEST_F(PlacesLookupStops, StopRequestedDuringTheNearbySearch) {
    fetcher.afterFetch = [this](const QString &url) {
        if (url.contains(nearbyPath)) {
            transport.stop.request();
        }
    };
    ExpectUnchangedAfter(2);
    // The lookup itself gives up; the details request is not even asked for.
    EXPECT_EQ(fetcher.calls.size(), 2);
}

TEST_F(PlacesLookupStops, DetailsFetchFails) {
    site.Fail(detailsPath);
    ExpectUnchangedAfter(3, PlacesOutcome::Kind::Failed);
}

TEST_F(PlacesLookupStops, DetailsStatusOtherThanOk) {
    site.Serve(detailsPath, R"({"result":{"formatted_phone_number":"1"},"status":"NOT_FOUND"})");
    ExpectUnchangedAfter(3, PlacesOutcome::Kind::Refused);
}

TEST_F(PlacesLookupStops, DetailsReplyIsNotJson) {
    site.Serve(detailsPath, "Service unavailable");
    ExpectUnchangedAfter(3);
}

TEST_F(PlacesLookupStops, DetailsWithoutResultObject) {
    site.Serve(detailsPath, R"({"result":"none","status":"OK"})");
    ExpectUnchangedAfter(3);
}

} // namespace
