#include "fields/DirectoryHosts.h"

#include "fields/HostNames.h"
#include "fields/TextScan.h"

#include <algorithm>
#include <array>

namespace quillon::fields {
namespace {

// Endings of file names, which "logo.png" shares with a host ("png" is no top-level domain
// but a two-part name must not pass for a site).
bool isFileEnding(std::string_view top) {
  static constexpr std::array<std::string_view, 14> kEndings = {"png",  "jpg", "jpeg", "gif", "svg",
                                                                "webp", "css", "js",   "pdf", "htm",
                                                                "html", "php", "asp",  "aspx"};
  return std::find(kEndings.begin(), kEndings.end(), top) != kEndings.end();
}

// A host written without a scheme: labels of letters, digits and hyphens joined by dots,
// beginning with "www." or ending in a country domain or a common generic one. Without that
// a name such as "J.Smith" or "Dr.Who" would pass for a site.
bool isBareHost(std::string_view host) {
  static constexpr std::array<std::string_view, 7> kGeneric = {"com", "net", "org",   "info",
                                                               "biz", "eu",  "online"};
  const std::size_t dot = host.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return false;
  const std::string_view top = host.substr(dot + 1);
  if (!std::all_of(top.begin(), top.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
    return false;
  }
  if (top.size() < 2 || isFileEnding(top)) return false;
  return host.starts_with("www.") || top.size() == 2 ||
         std::find(kGeneric.begin(), kGeneric.end(), top) != kGeneric.end();
}

}  // namespace

DirectoryHosts::DirectoryHosts(std::string_view pageUrl, std::string_view canonicalUrl,
                               const std::vector<std::string>& ownLinks) {
  addUrl(pageUrl);
  addUrl(canonicalUrl);
  for (const std::string& link : ownLinks) addUrl(link);
}

void DirectoryHosts::addUrl(std::string_view url) {
  if (const std::string host = httpHost(url); !host.empty()) addHost(host);
}

void DirectoryHosts::addHost(std::string_view host) {
  std::string lower(trimSpaces(host));
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (lower.empty()) return;
  std::string domain = registrableDomain(lower);
  if (std::find(m_domains.begin(), m_domains.end(), domain) == m_domains.end()) {
    m_domains.push_back(std::move(domain));
  }
}

bool DirectoryHosts::contains(std::string_view host) const {
  if (host.empty()) return false;
  const std::string domain = registrableDomain(host);
  return std::find(m_domains.begin(), m_domains.end(), domain) != m_domains.end();
}

bool isBusinessWebsite(std::string_view url, const DirectoryHosts& directory) {
  const std::string host = httpHost(url);
  return !host.empty() && host.find('.') != std::string::npos && !directory.contains(host);
}

std::string webAddressHost(std::string_view text) {
  text = trimSpaces(text);
  if (std::string host = httpHost(text); !host.empty()) return host;
  if (text.empty() || text.find_first_of(" \t@:") != std::string_view::npos) return {};
  std::string_view host = text.substr(0, text.find_first_of("/?#"));
  std::string lower;
  for (char c : host) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    const bool allowed = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
    if (!allowed) return {};
    lower += c;
  }
  if (lower.find("..") != std::string::npos || lower.front() == '-' || !isBareHost(lower)) {
    return {};
  }
  return lower;
}

}  // namespace quillon::fields
