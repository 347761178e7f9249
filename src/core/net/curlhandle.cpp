#include "core/net/curlhandle.h"

void EnsureCurlGlobalInit() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialised;
}

CurlHandle::CurlHandle() {
    EnsureCurlGlobalInit();
    m_easy.reset(curl_easy_init());
}

CurlCookieShare::CurlCookieShare() {
    EnsureCurlGlobalInit();
    m_share.reset(curl_share_init());
    if (m_share) {
        // One thread uses the share, so it needs no locks.
        curl_share_setopt(m_share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    }
}
