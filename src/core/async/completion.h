#pragma once

#include <coroutine>
#include <memory>
#include <optional>
#include <utility>

// A value that arrives later, awaited by at most one coroutine: a reply, a timer, a script's
// answer. The first resolve() wins and later ones are ignored, so a reply, a time-out and a
// cancel may race freely. Copies share one state.
//
// resolve() resumes the waiting coroutine inside the call. A source that calls it from a foreign
// stack (libcurl's processing, the browser engine's callbacks) posts the call to the event loop
// first; cancellations resolve directly, so a cancelled coroutine has finished by the time the
// cancel returns.
template<typename T>
class Completion {
public:
    Completion() : m_state(std::make_shared<State>()) {}

    bool isResolved() const { return m_state->value.has_value(); }

    // True when this call delivered the value.
    bool resolve(T value) const {
        // The waiter may destroy the last other copy of this completion; the state stays alive
        // here until the call returns.
        const std::shared_ptr<State> state = m_state;
        if (state->value) {
            return false;
        }
        state->value.emplace(std::move(value));
        if (const std::coroutine_handle<> waiter = std::exchange(state->waiter, nullptr)) {
            waiter.resume();
        }
        return true;
    }

    bool await_ready() const noexcept { return m_state->value.has_value(); }
    void await_suspend(std::coroutine_handle<> waiter) const noexcept { m_state->waiter = waiter; }
    T await_resume() const { return std::move(*m_state->value); }

private:
    struct State {
        std::optional<T> value;
        std::coroutine_handle<> waiter;
    };

    std::shared_ptr<State> m_state;
};
