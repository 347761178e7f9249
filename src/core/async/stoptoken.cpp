#include "core/async/stoptoken.h"

#include <vector>

StopToken StopToken::Create() {
    StopToken token;
    token.m_state = std::make_shared<State>();
    return token;
}

void StopToken::request() const {
    if (!m_state || m_state->requested) {
        return;
    }
    const std::shared_ptr<State> state = m_state;
    state->requested = true;
    std::vector<int> ids;
    for (const auto &entry : state->callbacks) {
        ids.push_back(entry.first);
    }
    for (const int id : ids) {
        // A callback run before may have ended the work that registered this one.
        const auto found = state->callbacks.find(id);
        if (found == state->callbacks.end()) {
            continue;
        }
        const std::function<void()> callback = std::move(found->second);
        state->callbacks.erase(found);
        callback();
    }
}

StopCallback::StopCallback(const StopToken &token, std::function<void()> callback) {
    if (!token.m_state) {
        return;
    }
    if (token.m_state->requested) {
        callback();
        return;
    }
    m_state = token.m_state;
    m_id = m_state->nextId++;
    m_state->callbacks.emplace(m_id, std::move(callback));
}

StopCallback::~StopCallback() {
    if (m_state) {
        m_state->callbacks.erase(m_id);
    }
}
