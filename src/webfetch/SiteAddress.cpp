#include "webfetch/SiteAddress.h"

#include "text/Ascii.h"
#include "url/UrlParts.h"

namespace quillon::webfetch {

std::string_view siteName(std::string_view host) {
  return host.starts_with("www.") ? host.substr(4) : host;
}

bool isSameSite(std::string_view hostA, std::string_view hostB) {
  return !hostA.empty() && siteName(hostA) == siteName(hostB);
}

std::string websiteHomeUrl(std::string_view webAddress) {
  while (!webAddress.empty() && text::isAsciiSpace(webAddress.front())) webAddress.remove_prefix(1);
  while (!webAddress.empty() && text::isAsciiSpace(webAddress.back())) webAddress.remove_suffix(1);
  // "rossi.it:8080/" reads as a scheme too: a scheme is written with "//" after it.
  const std::optional<std::string> scheme = url::schemeOf(webAddress);
  const bool written = scheme && webAddress.substr(scheme->size() + 1).starts_with("//");
  const std::string url = written ? std::string(webAddress) : "http://" + std::string(webAddress);
  const std::optional<url::UrlParts> parts = url::parseUrl(url);
  // A host of dots alone ("http://.") names none.
  if (!parts || (parts->scheme != "http" && parts->scheme != "https") ||
      url::urlHost(url).empty()) {
    return {};
  }
  // Without "//" a colon may only begin a port: "mailto:info@rossi.it" and "tel:0612345" are
  // no websites.
  if (!written && scheme && (parts->port.empty() || !parts->user.empty())) return {};
  return url;
}

}  // namespace quillon::webfetch
