#include "webfetch/HttpFetcher.h"

#include <algorithm>
#include <curl/curl.h>
#include <exception>
#include <memory>
#include <utility>

namespace quillon::webfetch {
namespace {

constexpr std::size_t kChunkBytes = 4096;
// How long one wait for network activity may keep the pump from running.
constexpr int kPollMilliseconds = 20;

// libcurl's process-wide state, set up once before the first handle and kept to the end.
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

struct EasyCleanup {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct MultiCleanup {
  void operator()(CURLM* handle) const { curl_multi_cleanup(handle); }
};
struct ListCleanup {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyCleanup>;
using MultiHandle = std::unique_ptr<CURLM, MultiCleanup>;
using StringList = std::unique_ptr<curl_slist, ListCleanup>;

// Keeps the easy handle in the multi handle for the life of the transfer.
class Attachment {
 public:
  Attachment(CURLM* multi, CURL* easy)
      : m_multi(multi), m_easy(easy), m_ok(curl_multi_add_handle(multi, easy) == CURLM_OK) {}
  ~Attachment() {
    if (m_ok) curl_multi_remove_handle(m_multi, m_easy);
  }
  Attachment(const Attachment&) = delete;
  Attachment& operator=(const Attachment&) = delete;
  bool ok() const { return m_ok; }

 private:
  CURLM* m_multi;
  CURL* m_easy;
  bool m_ok;
};

bool append(StringList& list, const std::string& text) {
  curl_slist* grown = curl_slist_append(list.get(), text.c_str());
  if (grown == nullptr) return false;
  list.release();
  list.reset(grown);
  return true;
}

// A page answered with 500 is read like one answered with 200.
bool isAcceptedStatus(long status) { return (status >= 100 && status < 300) || status == 500; }

struct Transfer {
  Transfer(CURL* handle, MessagePump& messagePump, std::size_t maxBodyBytes)
      : easy(handle), pump(&messagePump), cap(maxBodyBytes) {}

  CURL* easy;
  MessagePump* pump;
  std::size_t cap;
  std::string body;
  bool pumped = false;  // messages handled since the last chunk
  bool statusChecked = false;
  bool refused = false;
  std::exception_ptr error;  // nothing may unwind through libcurl
};

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) noexcept {
  Transfer& transfer = *static_cast<Transfer*>(user);
  const std::size_t total = size * count;
  try {
    // Redirect bodies never get here, so this is the final answer: a refused status
    // ends the transfer instead of reading a body that is thrown away.
    if (!transfer.statusChecked) {
      transfer.statusChecked = true;
      long status = 0;
      curl_easy_getinfo(transfer.easy, CURLINFO_RESPONSE_CODE, &status);
      if (!isAcceptedStatus(status)) {
        transfer.refused = true;
        return 0;
      }
    }
    for (std::size_t offset = 0; offset < total;) {
      const std::size_t room = transfer.cap - transfer.body.size();
      if (room == 0) return 0;  // the cap ends the transfer; what was read is kept
      if (!transfer.pumped) transfer.pump->processPendingMessages();
      transfer.pumped = false;
      const std::size_t piece = std::min({kChunkBytes, total - offset, room});
      transfer.body.append(data + offset, piece);
      offset += piece;
    }
    return total;
  } catch (...) {
    transfer.error = std::current_exception();
    return 0;
  }
}

// The lists a request hands to the library; they must live as long as the transfer.
struct RequestLists {
  StringList headers;
  StringList resolve;
  StringList connectTo;
};

bool configure(CURL* easy, const std::string& url, const std::string& agent,
               const RequestLists& lists, const FetchLimits& limits, Transfer& transfer) {
  const auto milliseconds = [](std::chrono::milliseconds value) {
    return static_cast<long>(value.count());
  };
  const CURLcode results[] = {
      curl_easy_setopt(easy, CURLOPT_URL, url.c_str()),
      curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https"),
      curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https"),
      curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L),
      curl_easy_setopt(easy, CURLOPT_MAXREDIRS, limits.maxRedirects),
      curl_easy_setopt(easy, CURLOPT_USERAGENT, agent.c_str()),
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
      curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &onBody),
      curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer),
  };
  return std::all_of(std::begin(results), std::end(results),
                     [](CURLcode result) { return result == CURLE_OK; });
}

}  // namespace

bool isFetchableUrl(std::string_view url) {
  const auto startsWithNoCase = [url](std::string_view prefix) {
    return url.size() > prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), url.begin(), [](char a, char b) {
             return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b);
           });
  };
  if (!startsWithNoCase("http://") && !startsWithNoCase("https://")) return false;
  // Control characters (a NUL above all) would make the library fetch another address.
  return std::none_of(url.begin(), url.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

HttpFetcher::HttpFetcher(MessagePump& pump, std::string agent, HostRouting routing,
                         FetchLimits limits)
    : m_pump(pump), m_agent(std::move(agent)), m_routing(std::move(routing)), m_limits(limits) {}

std::optional<std::string> HttpFetcher::get(std::string_view url) const {
  if (!isFetchableUrl(url) || !CurlGlobal::ready()) return std::nullopt;
  // The library refuses a raw blank, which browsers send as %20; bytes above ASCII it
  // encodes itself.
  std::string address;
  for (const char c : url) {
    if (c == ' ') {
      address += "%20";
    } else {
      address += c;
    }
  }

  RequestLists lists;
  // The page always comes from the server, never from a cache on the way.
  if (!append(lists.headers, "Cache-Control: no-cache") ||
      !append(lists.headers, "Pragma: no-cache")) {
    return std::nullopt;
  }
  for (const std::string& entry : m_routing.resolve) {
    if (!append(lists.resolve, entry)) return std::nullopt;
  }
  for (const std::string& entry : m_routing.connectTo) {
    if (!append(lists.connectTo, entry)) return std::nullopt;
  }

  EasyHandle easy(curl_easy_init());
  MultiHandle multi(curl_multi_init());
  if (!easy || !multi) return std::nullopt;
  Transfer transfer(easy.get(), m_pump, m_limits.maxBodyBytes);
  if (!configure(easy.get(), address, m_agent, lists, m_limits, transfer)) {
    return std::nullopt;
  }
  const Attachment attachment(multi.get(), easy.get());
  if (!attachment.ok()) return std::nullopt;

  // The multi interface leaves the waiting to us, so messages keep flowing while the
  // fetch resolves, connects and waits for data; the time-outs end every transfer.
  int running = 1;
  while (running > 0 && !transfer.error) {
    m_pump.processPendingMessages();
    transfer.pumped = true;
    if (curl_multi_perform(multi.get(), &running) != CURLM_OK) break;
    if (running == 0 || transfer.error) break;
    if (curl_multi_poll(multi.get(), nullptr, 0, kPollMilliseconds, nullptr) != CURLM_OK) break;
  }
  if (transfer.error) std::rethrow_exception(transfer.error);

  long status = 0;
  curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
  if (transfer.refused || !isAcceptedStatus(status) || transfer.body.empty()) {
    return std::nullopt;
  }
  return std::move(transfer.body);
}

}  // namespace quillon::webfetch
