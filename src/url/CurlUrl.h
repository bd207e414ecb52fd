#pragma once

#include <curl/curl.h>
#include <memory>
#include <optional>
#include <string>

// libcurl's URL API behind an owning handle; only url/ includes this header.

namespace quillon::url {

struct CurlUrlDeleter {
  void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};
using CurlUrl = std::unique_ptr<CURLU, CurlUrlDeleter>;

// The handle holding url (any scheme, blanks allowed but in the host); nothing when the API
// refuses the address.
inline CurlUrl parsedUrl(const std::string& url) {
  CurlUrl handle(curl_url());
  if (!handle || curl_url_set(handle.get(), CURLUPART_URL, url.c_str(),
                              CURLU_NON_SUPPORT_SCHEME | CURLU_ALLOW_SPACE) != CURLUE_OK) {
    return nullptr;
  }
  return handle;
}

// One part of the address; nothing when it has none.
inline std::optional<std::string> urlPart(CURLU* handle, CURLUPart part, unsigned flags = 0) {
  char* text = nullptr;
  if (curl_url_get(handle, part, &text, flags) != CURLUE_OK || text == nullptr) {
    return std::nullopt;
  }
  const std::unique_ptr<char, decltype(&curl_free)> owned(text, &curl_free);
  return std::string(text);
}

}  // namespace quillon::url
