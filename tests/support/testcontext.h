#pragma once

#include "core/app/contextpieces.h"
#include "support/fakehost.h"

// An application context on substitute host, status bar and dialogs.
struct TestContext {
    FakeHost host;
    FakeStatus status;
    FakeDialogs dialogs;
    // No name server listens on the discard port: every mail server check answers at once, and
    // no lookup leaves the machine.
    AppContext context{host, status, dialogs, [] {
                           Endpoints endpoints;
                           endpoints.dnsServer = QStringLiteral("127.0.0.1:9");
                           return endpoints;
                       }()};
};
