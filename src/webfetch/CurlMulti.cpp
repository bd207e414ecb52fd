#include "webfetch/CurlMulti.h"

#include "webfetch/CurlTransfer.h"

#include <curl/curl.h>

namespace quillon::webfetch {
namespace {

class CurlGlobal {
 public:
  static bool ready() {
    static const CurlGlobal global;
    return global.m_ok;
  }
  ~CurlGlobal() {
    if (m_ok) curl_global_cleanup();
  }
  CurlGlobal(const CurlGlobal&) = delete;
  CurlGlobal& operator=(const CurlGlobal&) = delete;

 private:
  CurlGlobal() : m_ok(curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK) {}
  bool m_ok;
};

}  // namespace

bool curlLibraryReady() { return CurlGlobal::ready(); }

CurlMulti::CurlMulti() {
  if (curlLibraryReady()) m_multi = curl_multi_init();
}

CurlMulti::~CurlMulti() {
  if (m_multi != nullptr) curl_multi_cleanup(m_multi);
}

bool CurlMulti::add(CurlTransfer& transfer) {
  return m_multi != nullptr && curl_multi_add_handle(m_multi, transfer.handle()) == CURLM_OK;
}

void CurlMulti::remove(CurlTransfer& transfer) {
  if (m_multi != nullptr) curl_multi_remove_handle(m_multi, transfer.handle());
}

bool CurlMulti::perform() {
  int running = 0;
  return m_multi != nullptr && curl_multi_perform(m_multi, &running) == CURLM_OK;
}

CurlTransfer* CurlMulti::nextEnded() {
  if (m_multi == nullptr) return nullptr;
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(m_multi, &left)) {
    if (message->msg != CURLMSG_DONE) continue;
    char* owner = nullptr;
    curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &owner);
    if (owner != nullptr) return reinterpret_cast<CurlTransfer*>(owner);
  }
  return nullptr;
}

bool CurlMulti::poll(std::chrono::milliseconds timeout) {
  return m_multi != nullptr &&
         curl_multi_poll(m_multi, nullptr, 0, static_cast<int>(timeout.count()), nullptr) ==
             CURLM_OK;
}

}  // namespace quillon::webfetch
