#include "core/net/curlhandle.h"

#include <utility>

namespace {

// libcurl's global state is set up once per process and never torn down: other clients may
// still be alive while static objects are destroyed.
void EnsureCurlGlobalInit() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialised;
}

} // namespace

CurlHandle::CurlHandle() {
    EnsureCurlGlobalInit();
    m_easy = curl_easy_init();
    m_multi = curl_multi_init();
}

CurlHandle::~CurlHandle() {
    release();
}

CurlHandle::CurlHandle(CurlHandle &&other) noexcept
    : m_easy(std::exchange(other.m_easy, nullptr)), m_multi(std::exchange(other.m_multi, nullptr)) {}

CurlHandle &CurlHandle::operator=(CurlHandle &&other) noexcept {
    if (this != &other) {
        release();
        m_easy = std::exchange(other.m_easy, nullptr);
        m_multi = std::exchange(other.m_multi, nullptr);
    }
    return *this;
}

void CurlHandle::release() {
    if (m_multi != nullptr) {
        if (m_easy != nullptr) {
            curl_multi_remove_handle(m_multi, m_easy); // harmless when it is not attached
        }
        curl_multi_cleanup(std::exchange(m_multi, nullptr));
    }
    if (m_easy != nullptr) {
        curl_easy_cleanup(std::exchange(m_easy, nullptr));
    }
}
