#pragma once

#include "core/app/contextpieces.h"
#include "support/fakehost.h"

// An application context on substitute host, status bar and dialogs.
struct TestContext {
    FakeHost host;
    FakeStatus status;
    FakeDialogs dialogs;
    AppContext context{host, status, dialogs};
};
