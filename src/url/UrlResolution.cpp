#include "url/UrlResolution.h"

#include "text/Ascii.h"
#include "url/CurlUrl.h"
#include "url/UrlParts.h"

#include <array>

namespace quillon::url {
namespace {

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
  if (const std::optional<std::string> host = urlPart(handle, CURLUPART_HOST)) {
    const std::string lower = text::asciiLower(*host);
    if (lower != *host) curl_url_set(handle, CURLUPART_HOST, lower.c_str(), 0);
  }
  return urlPart(handle, CURLUPART_URL, CURLU_NO_DEFAULT_PORT).value_or("");
}

}  // namespace

std::string resolveUrl(std::string_view base, std::string_view reference) {
  const std::string plain = stripped(reference);
  const std::optional<std::string> scheme = schemeOf(plain);
  if (scheme && !isHierarchical(*scheme)) return encoded(plain, false);
  const std::string ref = encoded(plain);
  const CurlUrl handle(curl_url());
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

}  // namespace quillon::url
