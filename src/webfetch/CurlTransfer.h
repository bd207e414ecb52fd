#pragma once

#include "webfetch/FetchLimits.h"
#include "webfetch/HttpFetcher.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quillon::webfetch {

// One HTTP or HTTPS request as libcurl's easy handle, set up the same way for every fetch:
// no cache, redirects within the limit (http and https only), the host routing, the user
// agent, the time-outs and the body cap. The handle runs in a CurlMulti; nothing outside
// the two includes libcurl's headers.
class CurlTransfer {
 public:
  // Nothing when url is not fetchable (see url::isFetchableUrl) or the library cannot set the
  // request up. limits must have passed checkFetchLimits.
  static std::unique_ptr<CurlTransfer> make(std::string_view url, const std::string& agent,
                                            const HostRouting& routing, const FetchLimits& limits);
  ~CurlTransfer();
  CurlTransfer(const CurlTransfer&) = delete;
  CurlTransfer& operator=(const CurlTransfer&) = delete;

  // Called before each chunk of at most 4,096 bytes of the body is kept, unless called
  // since the last chunk (see markChunkHookCalled). What it raises ends the transfer and
  // is kept in error().
  void setChunkHook(std::function<void()> hook) { m_chunkHook = std::move(hook); }
  void markChunkHookCalled() { m_hookCalled = true; }

  // The body once the transfer has ended: nothing for a final status of 300 or more other
  // than 500, or for no byte of body. A cut body keeps what was read.
  std::optional<std::string> takeBody();
  // The address fetched last, after redirects.
  std::string finalUrl() const;
  // The status of the last answer, after redirects; 0 when none came.
  long status() const;
  // The Retry-After header of the last answer, when it had one.
  std::optional<std::string> retryAfter() const;
  // What the chunk hook raised, if anything.
  std::exception_ptr error() const { return m_error; }

  // libcurl's easy handle, for CurlMulti.
  void* handle() const { return m_easy; }

 private:
  struct Lists;
  CurlTransfer();
  static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) noexcept;
  std::size_t keep(const char* data, std::size_t size);

  void* m_easy = nullptr;
  std::unique_ptr<Lists> m_lists;
  std::string m_url;
  std::string m_agent;
  std::string m_proxy;
  std::size_t m_cap = 0;
  std::string m_body;
  std::function<void()> m_chunkHook;
  bool m_hookCalled = false;
  bool m_statusChecked = false;
  bool m_refused = false;
  std::exception_ptr m_error;
};

}  // namespace quillon::webfetch
