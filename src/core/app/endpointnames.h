#pragma once

#include "core/app/endpoints.h"

#include <QString>

#include <array>

// The environment variable that overrides each endpoint, in the order the README lists them.
struct EndpointName {
    const char *variable;
    QString Endpoints::*member;
};

const std::array<EndpointName, 14> &EndpointEnvironmentNames();
