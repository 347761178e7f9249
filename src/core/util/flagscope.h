#pragma once

// Raises a flag for the life of a scope and lowers it however the scope ends: "a fetch is
// running", "a tick is running", so that a nested call made from processed events can tell.
class FlagScope {
public:
    explicit FlagScope(bool &flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &m_flag;
};
