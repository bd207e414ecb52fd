#include "webfetch/UrlResolution.h"

#include <array>
#include <curl/curl.h>
#include <memory>
#include <optional>

namespace quillon::webfetch {
namespace {

struct UrlDeleter {
  void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;

struct TextDeleter {
  void operator()(char* text) const { curl_free(text); }
};

bool isAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// A browser drops C0 controls and blanks around an address and tabs and line breaks inside it.
std::string stripped(std::string_view reference) {
  const auto isEdge = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!reference.empty() && isEdge(reference.front())) reference.remove_prefix(1);
  while (!reference.empty() && isEdge(reference.back())) reference.remove_suffix(1);
  std::string out;
  out.reserve(reference.size());
  for (const char c : reference) {
    if (c != '\t' && c != '\n' && c != '\r') out += c;
  }
  return out;
}

// Percent-encodes what a browser encodes in a path or query and curl would refuse or encode
// in lower case (browsers write the hex digits in upper case). An address without hierarchy
// (mailto:, tel:) keeps its blanks and quotes, as in a browser.
std::string encoded(std::string_view reference, bool hierarchical = true) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(reference.size());
  for (const char c : reference) {
    const auto byte = static_cast<unsigned char>(c);
    const bool special = c == ' ' || c == '"' || c == '<' || c == '>' || c == '`';
    if (byte < 0x20 || byte >= 0x7F || (hierarchical && special)) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

// The scheme of an absolute reference, in lower case.
std::optional<std::string> schemeOf(std::string_view reference) {
  if (reference.empty() || !isAsciiAlpha(reference.front())) return std::nullopt;
  std::string scheme;
  for (const char c : reference) {
    if (c == ':') return scheme;
    if (!isAsciiAlpha(c) && !isAsciiDigit(c) && c != '+' && c != '-' && c != '.') break;
    scheme += asciiLower(c);
  }
  return std::nullopt;
}

bool isHierarchical(const std::string& scheme) {
  static constexpr std::array<std::string_view, 7> kSchemes = {"http", "https", "ftp", "ftps",
                                                               "ws",   "wss",   "file"};
  for (const std::string_view known : kSchemes) {
    if (scheme == known) return true;
  }
  return false;
}

bool setUrl(CURLU* handle, const std::string& url) {
  return curl_url_set(handle, CURLUPART_URL, url.c_str(), CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK;
}

std::string urlOf(CURLU* handle) {
  char* host = nullptr;
  if (curl_url_get(handle, CURLUPART_HOST, &host, 0) == CURLUE_OK) {
    const std::unique_ptr<char, TextDeleter> owned(host);
    std::string lower(host);
    for (char& c : lower) c = asciiLower(c);
    if (lower != host) curl_url_set(handle, CURLUPART_HOST, lower.c_str(), 0);
  }
  char* url = nullptr;
  if (curl_url_get(handle, CURLUPART_URL, &url, CURLU_NO_DEFAULT_PORT) != CURLUE_OK) return {};
  const std::unique_ptr<char, TextDeleter> owned(url);
  return url;
}

}  // namespace

std::string resolveUrl(std::string_view base, std::string_view reference) {
  const std::string plain = stripped(reference);
  const std::optional<std::string> scheme = schemeOf(plain);
  if (scheme && !isHierarchical(*scheme)) return encoded(plain, false);
  const std::string ref = encoded(plain);
  const UrlHandle handle(curl_url());
  if (!handle) return {};
  const bool haveBase = setUrl(handle.get(), encoded(stripped(base)));
  if (!haveBase && !scheme) return {};
  // curl drops the last path segment for a fragment-only reference; a browser keeps it.
  if (ref.empty() || ref.front() == '#') {
    return std::string(withoutFragment(urlOf(handle.get()))) + ref;
  }
  if (!setUrl(handle.get(), ref)) return {};
  return urlOf(handle.get());
}

std::string_view withoutFragment(std::string_view url) { return url.substr(0, url.find('#')); }

}  // namespace quillon::webfetch
