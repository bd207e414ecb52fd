#include "url/UrlParts.h"

#include "text/Ascii.h"
#include "url/CurlUrl.h"

#include <algorithm>

namespace quillon::url {

std::optional<UrlParts> parseUrl(std::string_view url) {
  // The library reads a C string: a NUL would hide the rest of the address.
  if (url.find('\0') != std::string_view::npos) return std::nullopt;
  // The library also reads "http:/host" and "http:///host"; an address names its host after
  // exactly two slashes.
  const std::optional<std::string> scheme = schemeOf(url);
  if (!scheme) return std::nullopt;
  const std::string_view rest = url.substr(scheme->size() + 1);
  if (!rest.starts_with("//") || rest.starts_with("///")) return std::nullopt;
  const CurlUrl handle = parsedUrl(std::string(url));
  if (!handle) return std::nullopt;
  UrlParts parts;
  std::optional<std::string> host = urlPart(handle.get(), CURLUPART_HOST);
  if (!host || host->empty()) return std::nullopt;
  parts.host = std::move(*host);
  parts.scheme = text::asciiLower(urlPart(handle.get(), CURLUPART_SCHEME).value_or(""));
  parts.user = urlPart(handle.get(), CURLUPART_USER).value_or("");
  parts.port = urlPart(handle.get(), CURLUPART_PORT).value_or("");
  parts.path = urlPart(handle.get(), CURLUPART_PATH).value_or("/");
  parts.query = urlPart(handle.get(), CURLUPART_QUERY).value_or("");
  return parts;
}

std::optional<std::string> schemeOf(std::string_view reference) {
  if (reference.empty() || !text::isAsciiLetter(reference.front())) return std::nullopt;
  std::string scheme;
  for (const char c : reference) {
    if (c == ':') return scheme;
    if (!text::isAsciiAlphanumeric(c) && c != '+' && c != '-' && c != '.') break;
    scheme += text::asciiLower(c);
  }
  return std::nullopt;
}

std::string urlHost(std::string_view url) {
  const std::optional<UrlParts> parts = parseUrl(url);
  if (!parts) return {};
  std::string host = text::asciiLower(parts->host);
  // A trailing dot names the same host.
  if (host.ends_with('.')) host.pop_back();
  return host;
}

bool isFetchableUrl(std::string_view url) {
  const auto hasPrefix = [url](std::string_view prefix) {
    return url.size() > prefix.size() && text::startsWithNoCase(url, prefix);
  };
  if (!hasPrefix("http://") && !hasPrefix("https://")) return false;
  // Control characters (a NUL above all) would make the library fetch another address.
  return std::none_of(url.begin(), url.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

}  // namespace quillon::url
