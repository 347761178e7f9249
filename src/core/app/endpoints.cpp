#include "core/app/endpoints.h"

#include "core/app/endpointnames.h"

const std::array<EndpointName, 13> &EndpointEnvironmentNames() {
    static const std::array<EndpointName, 13> names{{
        {"TARNWICK_LINKEDIN_HTTPS", &Endpoints::linkedInHttps},
        {"TARNWICK_LINKEDIN_HTTP", &Endpoints::linkedInHttp},
        {"TARNWICK_GOOGLE_MAPS_HTTP", &Endpoints::googleMapsHttp},
        {"TARNWICK_PLACES_HTTP", &Endpoints::placesHttp},
        {"TARNWICK_PLACES_HTTPS", &Endpoints::placesHttps},
        {"TARNWICK_PLACES_KEY_A", &Endpoints::placesKeyA},
        {"TARNWICK_PLACES_KEY_B", &Endpoints::placesKeyB},
        {"TARNWICK_UPDATE_BASE_URL", &Endpoints::updateBaseUrl},
        {"TARNWICK_NEWS_DATA_URL", &Endpoints::newsDataUrl},
        {"TARNWICK_OFFERS_PAGE_URL", &Endpoints::offersPageUrl},
        {"TARNWICK_TUTORIAL_URL", &Endpoints::tutorialUrl},
        {"TARNWICK_AFFILIATES_URL", &Endpoints::affiliatesUrl},
        {"TARNWICK_PROXY_ADVICE_URL", &Endpoints::proxyAdviceUrl},
    }};
    return names;
}

Endpoints Endpoints::fromEnvironment(const QProcessEnvironment &environment) {
    Endpoints endpoints;
    for (const auto &[name, member] : EndpointEnvironmentNames()) {
        const QString key = QString::fromLatin1(name);
        if (environment.contains(key)) {
            endpoints.*member = environment.value(key);
        }
    }
    return endpoints;
}
