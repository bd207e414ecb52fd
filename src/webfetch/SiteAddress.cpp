#include "webfetch/SiteAddress.h"

#include <algorithm>

namespace quillon::webfetch {
namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(),
                                                    [](char a, char b) { return a == lower(b); });
}

}  // namespace

std::string urlHost(std::string_view url) {
  const std::size_t scheme = url.find("://");
  if (scheme == std::string_view::npos) return {};
  std::string_view authority = url.substr(scheme + 3);
  authority = authority.substr(0, authority.find_first_of("/?#\\"));
  const std::size_t at = authority.rfind('@');
  if (at != std::string_view::npos) authority.remove_prefix(at + 1);
  std::string_view host = authority;
  if (host.starts_with('[')) {
    host = host.substr(0, host.find(']') + 1);
  } else {
    host = host.substr(0, host.find(':'));
  }
  std::string result(host);
  std::transform(result.begin(), result.end(), result.begin(), lower);
  // A trailing dot names the same host.
  if (result.ends_with('.')) result.pop_back();
  return result;
}

std::string_view siteName(std::string_view host) {
  return host.starts_with("www.") ? host.substr(4) : host;
}

bool isSameSite(std::string_view hostA, std::string_view hostB) {
  return !hostA.empty() && siteName(hostA) == siteName(hostB);
}

std::string websiteHomeUrl(std::string_view webAddress) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!webAddress.empty() && blank(webAddress.front())) webAddress.remove_prefix(1);
  while (!webAddress.empty() && blank(webAddress.back())) webAddress.remove_suffix(1);
  std::string url;
  if (startsWithNoCase(webAddress, "http://") || startsWithNoCase(webAddress, "https://")) {
    url = webAddress;
  } else if (webAddress.find("://") == std::string_view::npos) {
    // Without a scheme a colon may only begin a port ("rossi.it:8080/"), never "mailto:".
    const std::size_t colon = webAddress.find(':');
    if (colon != std::string_view::npos) {
      std::string_view port = webAddress.substr(colon + 1);
      port = port.substr(0, port.find_first_of("/?#"));
      if (port.empty() ||
          !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return {};
      }
    }
    url = "http://" + std::string(webAddress);
  }
  return urlHost(url).empty() ? std::string() : url;
}

}  // namespace quillon::webfetch
