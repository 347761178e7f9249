#pragma once

#include <curl/curl.h>

// Owns one easy handle and the multi handle that drives it, for the life of an HTTP client.
// The easy handle keeps the client's cookie store between transfers. Move-only.
class CurlHandle {
public:
    CurlHandle();
    ~CurlHandle();

    CurlHandle(CurlHandle &&other) noexcept;
    CurlHandle &operator=(CurlHandle &&other) noexcept;
    CurlHandle(const CurlHandle &) = delete;
    CurlHandle &operator=(const CurlHandle &) = delete;

    // False when libcurl could not create the handles; such a client fails every fetch.
    bool isValid() const { return m_easy != nullptr && m_multi != nullptr; }
    CURL *easy() const { return m_easy; }
    CURLM *multi() const { return m_multi; }

private:
    void release();

    CURL *m_easy = nullptr;
    CURLM *m_multi = nullptr;
};
