#pragma once

#include <curl/curl.h>

#include <memory>

// libcurl's global state, set up once per process and never torn down: other clients may still
// be alive while static objects are destroyed.
void EnsureCurlGlobalInit();

// Owns one easy handle: one transfer's options, connection and buffers. Move-only.
class CurlHandle {
public:
    CurlHandle();

    // False when libcurl could not create the handle; such a transfer fails at once.
    bool isValid() const { return m_easy != nullptr; }
    CURL *easy() const { return m_easy.get(); }

private:
    struct Cleanup {
        void operator()(CURL *easy) const { curl_easy_cleanup(easy); }
    };
    std::unique_ptr<CURL, Cleanup> m_easy;
};

// A cookie store shared by the transfers of one client, so each transfer can have a handle of
// its own and still see the cookies the others received. Move-only.
class CurlCookieShare {
public:
    CurlCookieShare();

    CURLSH *share() const { return m_share.get(); }

private:
    struct Cleanup {
        void operator()(CURLSH *share) const { curl_share_cleanup(share); }
    };
    std::unique_ptr<CURLSH, Cleanup> m_share;
};
