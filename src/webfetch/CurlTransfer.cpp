#include "webfetch/CurlTransfer.h"

#include "url/UrlParts.h"
#include "webfetch/CurlMulti.h"

#include <algorithm>
#include <curl/curl.h>

namespace quillon::webfetch {
namespace {

constexpr std::size_t kChunkBytes = 4096;

struct ListCleanup {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using StringList = std::unique_ptr<curl_slist, ListCleanup>;

bool append(StringList& list, const std::string& text) {
  curl_slist* grown = curl_slist_append(list.get(), text.c_str());
  if (grown == nullptr) return false;
  list.release();
  list.reset(grown);
  return true;
}

// A page answered with 500 is read like one answered with 200.
bool isAcceptedStatus(long status) { return (status >= 100 && status < 300) || status == 500; }

// The library refuses a raw blank, which browsers send as %20; bytes above ASCII it
// encodes itself.
std::string requestAddress(std::string_view url) {
  std::string address;
  for (const char c : url) {
    if (c == ' ') {
      address += "%20";
    } else {
      address += c;
    }
  }
  return address;
}

}  // namespace

// The lists a request hands to the library; they must live as long as the transfer.
struct CurlTransfer::Lists {
  StringList headers;
  StringList resolve;
  StringList connectTo;
};

CurlTransfer::CurlTransfer() : m_lists(std::make_unique<Lists>()) {}

CurlTransfer::~CurlTransfer() {
  if (m_easy != nullptr) curl_easy_cleanup(m_easy);
}

std::unique_ptr<CurlTransfer> CurlTransfer::make(std::string_view url, const std::string& agent,
                                                 const HostRouting& routing,
                                                 const FetchLimits& limits) {
  if (!url::isFetchableUrl(url) || !curlLibraryReady()) return nullptr;
  std::unique_ptr<CurlTransfer> transfer(new CurlTransfer());
  transfer->m_url = requestAddress(url);
  transfer->m_agent = agent;
  transfer->m_proxy = routing.proxy;
  transfer->m_cap = limits.maxBodyBytes;
  Lists& lists = *transfer->m_lists;
  // The page always comes from the server, never from a cache on the way.
  if (!append(lists.headers, "Cache-Control: no-cache") ||
      !append(lists.headers, "Pragma: no-cache")) {
    return nullptr;
  }
  for (const std::string& entry : routing.resolve) {
    if (!append(lists.resolve, entry)) return nullptr;
  }
  for (const std::string& entry : routing.connectTo) {
    if (!append(lists.connectTo, entry)) return nullptr;
  }
  CURL* easy = curl_easy_init();
  if (easy == nullptr) return nullptr;
  transfer->m_easy = easy;

  const auto milliseconds = [](std::chrono::milliseconds value) {
    return static_cast<long>(value.count());
  };
  const CURLcode results[] = {
      curl_easy_setopt(easy, CURLOPT_URL, transfer->m_url.c_str()),
      curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https"),
      curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https"),
      curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L),
      curl_easy_setopt(easy, CURLOPT_MAXREDIRS, limits.maxRedirects),
      curl_easy_setopt(easy, CURLOPT_USERAGENT, transfer->m_agent.c_str()),
      curl_easy_setopt(easy, CURLOPT_HTTPHEADER, lists.headers.get()),
      curl_easy_setopt(easy, CURLOPT_RESOLVE, lists.resolve.get()),
      curl_easy_setopt(easy, CURLOPT_CONNECT_TO, lists.connectTo.get()),
      curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L),
      curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, milliseconds(limits.connectTimeout)),
      curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, milliseconds(limits.totalTimeout)),
      curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, limits.lowSpeedBytesPerSecond),
      curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME,
                       static_cast<long>(limits.lowSpeedTime.count())),
      curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, static_cast<long>(kChunkBytes)),
      curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlTransfer::onBody),
      curl_easy_setopt(easy, CURLOPT_WRITEDATA, static_cast<void*>(transfer.get())),
      curl_easy_setopt(easy, CURLOPT_PRIVATE, static_cast<void*>(transfer.get())),
  };
  // Without one, libcurl's own rules (the environment's variables) stay.
  if (!transfer->m_proxy.empty() &&
      curl_easy_setopt(easy, CURLOPT_PROXY, transfer->m_proxy.c_str()) != CURLE_OK) {
    return nullptr;
  }
  if (!std::all_of(std::begin(results), std::end(results),
                   [](CURLcode result) { return result == CURLE_OK; })) {
    return nullptr;
  }
  return transfer;
}

std::size_t CurlTransfer::onBody(char* data, std::size_t size, std::size_t count,
                                 void* user) noexcept {
  CurlTransfer& transfer = *static_cast<CurlTransfer*>(user);
  try {
    return transfer.keep(data, size * count);
  } catch (...) {
    // Nothing may unwind through libcurl: the transfer ends and the error waits.
    transfer.m_error = std::current_exception();
    return 0;
  }
}

std::size_t CurlTransfer::keep(const char* data, std::size_t total) {
  // Redirect bodies never get here, so this is the final answer: a refused status ends
  // the transfer instead of reading a body that is thrown away.
  if (!m_statusChecked) {
    m_statusChecked = true;
    if (!isAcceptedStatus(status())) {
      m_refused = true;
      return 0;
    }
  }
  for (std::size_t offset = 0; offset < total;) {
    const std::size_t room = m_cap - m_body.size();
    if (room == 0) return 0;  // the cap ends the transfer; what was read is kept
    if (m_chunkHook && !m_hookCalled) m_chunkHook();
    m_hookCalled = false;
    const std::size_t piece = std::min({kChunkBytes, total - offset, room});
    m_body.append(data + offset, piece);
    offset += piece;
  }
  return total;
}

std::optional<std::string> CurlTransfer::takeBody() {
  if (m_refused || m_error || !isAcceptedStatus(status()) || m_body.empty()) return std::nullopt;
  return std::move(m_body);
}

long CurlTransfer::status() const {
  long code = 0;
  curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &code);
  return code;
}

std::optional<std::string> CurlTransfer::retryAfter() const {
  curl_header* header = nullptr;
  if (curl_easy_header(m_easy, "Retry-After", 0, CURLH_HEADER, -1, &header) != CURLHE_OK ||
      header == nullptr || header->value == nullptr) {
    return std::nullopt;
  }
  return std::string(header->value);
}

std::string CurlTransfer::finalUrl() const {
  char* url = nullptr;
  if (curl_easy_getinfo(m_easy, CURLINFO_EFFECTIVE_URL, &url) != CURLE_OK || url == nullptr) {
    return {};
  }
  return url;
}

}  // namespace quillon::webfetch
