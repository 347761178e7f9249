#pragma once

#include <functional>
#include <map>
#include <memory>

// Tells work in progress that it should end: Stop for a run's fetches and pauses, closing the
// window for everything. Copies share one state. A request is never taken back, so work that
// began under a token stays stopped even when a new token takes its place (Get Data gives each
// run a fresh one). A default-constructed token can never be requested.
class StopToken {
public:
    StopToken() = default;
    // A token that can be requested, not requested yet.
    static StopToken Create();

    bool requested() const { return m_state && m_state->requested; }
    // Requests the stop and runs every registered callback once, in the order of registration.
    void request() const;

private:
    friend class StopCallback;
    struct State {
        bool requested = false;
        int nextId = 0;
        std::map<int, std::function<void()>> callbacks;
    };

    std::shared_ptr<State> m_state;
};

// Runs a function when a token is requested, as long as this object lives; at once when the
// token is requested already. Callbacks may resume coroutines, which may in turn register or
// drop callbacks of the same token.
class StopCallback {
public:
    StopCallback(const StopToken &token, std::function<void()> callback);
    ~StopCallback();
    StopCallback(const StopCallback &) = delete;
    StopCallback &operator=(const StopCallback &) = delete;

private:
    std::shared_ptr<StopToken::State> m_state;
    int m_id = -1;
};
