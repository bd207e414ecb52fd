#include "fields/HostNames.h"

#include "fields/TextScan.h"
#include "text/Ascii.h"
#include "url/UrlParts.h"

#include <algorithm>
#include <array>

namespace quillon::fields {
namespace {

bool isHostChar(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
         byte >= 0x80;
}

bool isSecondLevelWord(std::string_view label) {
  static constexpr std::array<std::string_view, 20> kWords = {
      "com", "co",  "org", "net", "gov", "gob",  "edu", "ac",   "or",  "nom",
      "ltd", "plc", "asn", "id",  "gen", "govt", "biz", "info", "mil", "int"};
  return std::find(kWords.begin(), kWords.end(), label) != kWords.end();
}

bool isIpv4(std::string_view host) {
  return !host.empty() && std::all_of(host.begin(), host.end(),
                                      [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

}  // namespace

std::string httpHost(std::string_view url) {
  url = trimSpaces(url);
  const std::optional<url::UrlParts> parts = url::parseUrl(url);
  if (!parts || (parts->scheme != "http" && parts->scheme != "https")) return {};
  std::string host = url::urlHost(url);
  if (host.empty() || host.front() == '[') return host;
  if (!std::all_of(host.begin(), host.end(), isHostChar) || host.front() == '.' ||
      host.find("..") != std::string::npos) {
    return {};
  }
  return host;
}

std::string registrableDomain(std::string_view host) {
  if (host.empty() || host.front() == '[' || isIpv4(host)) return std::string(host);
  std::array<std::size_t, 3> dots{};  // positions of the last three dots, nearest first
  std::size_t found = 0;
  for (std::size_t i = host.size(); i-- > 0 && found < dots.size();) {
    if (host[i] == '.') dots[found++] = i;
  }
  if (found < 2) return std::string(host);
  const std::string_view top = host.substr(dots[0] + 1);
  const std::string_view second = host.substr(dots[1] + 1, dots[0] - dots[1] - 1);
  if (top.size() == 2 && isSecondLevelWord(second)) {
    return std::string(found >= 3 ? host.substr(dots[2] + 1) : host);
  }
  return std::string(host.substr(dots[1] + 1));
}

}  // namespace quillon::fields
