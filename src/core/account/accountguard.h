#pragma once

#include "core/async/stoptoken.h"

#include <qcoro/qcorotask.h>

// Guards the member's account while a run reads LinkedIn pages: every page read passes here first.
class AccountGuard {
public:
    virtual ~AccountGuard() = default;
    // Waits until the budgets allow one more LinkedIn page and counts it; false when stop came first.
    virtual QCoro::Task<bool> TakeRead(StopToken stop) = 0;
};

// The guard's TakeRead; true at once where no guard is set.
inline QCoro::Task<bool> TakeLinkedInRead(AccountGuard *guard, StopToken stop) {
    if (guard == nullptr) {
        co_return true;
    }
    co_return co_await guard->TakeRead(std::move(stop));
}
