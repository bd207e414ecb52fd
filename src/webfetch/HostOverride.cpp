#include "webfetch/HostOverride.h"

#include "text/Ascii.h"
#include "webfetch/WebFetchError.h"

#include <algorithm>
#include <arpa/inet.h>
#include <string>
#include <vector>

namespace quillon::webfetch {
namespace {

bool isHostChar(char c) { return text::isAsciiAlphanumeric(c) || c == '-' || c == '.' || c == '_'; }

bool isPort(std::string_view text) {
  if (text.empty() || text.size() > 5) return false;
  long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value >= 1 && value <= 65535;
}

bool isNumericAddress(std::string_view text) {
  unsigned char buffer[16];
  if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
    const std::string inner(text.substr(1, text.size() - 2));
    return inet_pton(AF_INET6, inner.c_str(), buffer) == 1;
  }
  const std::string plain(text);
  return inet_pton(AF_INET, plain.c_str(), buffer) == 1 ||
         inet_pton(AF_INET6, plain.c_str(), buffer) == 1;
}

// A host name or a numeric address; an IPv6 address only in brackets (its colons would
// read as separators).
bool isHostOrAddress(std::string_view text) {
  if (text.size() >= 2 && text.front() == '[' && text.back() == ']') return isNumericAddress(text);
  return !text.empty() && std::all_of(text.begin(), text.end(), isHostChar);
}

// Splits at the colons that are not inside brackets.
std::vector<std::string_view> splitAtColons(std::string_view entry) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  bool bracketed = false;
  for (std::size_t i = 0; i < entry.size(); ++i) {
    if (entry[i] == '[') bracketed = true;
    if (entry[i] == ']') bracketed = false;
    if (entry[i] == ':' && !bracketed) {
      parts.push_back(entry.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.push_back(entry.substr(start));
  return parts;
}

}  // namespace

void checkConnectTo(std::string_view entry) {
  const auto fail = [entry](const char* reason) {
    throw WebFetchError("Malformed connection override \"" + std::string(entry) +
                        "\": expected HOST:PORT:CONNECT-HOST:CONNECT-PORT, " + reason);
  };
  const std::vector<std::string_view> parts = splitAtColons(entry);
  if (parts.size() != 4) fail("found another number of parts than four");
  if (!parts[0].empty() && !isHostOrAddress(parts[0])) fail("the host is not a host name");
  if (!parts[1].empty() && !isPort(parts[1])) fail("the port must be a number from 1 to 65535");
  if (!parts[2].empty() && !isHostOrAddress(parts[2])) {
    fail("the connect host is not a host name or an address");
  }
  if (!parts[3].empty() && !isPort(parts[3])) {
    fail("the connect port must be a number from 1 to 65535");
  }
}

void checkHostOverride(std::string_view entry) {
  const auto fail = [entry](const char* reason) {
    throw WebFetchError("Malformed host override \"" + std::string(entry) +
                        "\": expected HOST:PORT:ADDRESS, " + reason);
  };
  const std::size_t firstColon = entry.find(':');
  if (firstColon == std::string_view::npos) fail("found no colon");
  const std::size_t secondColon = entry.find(':', firstColon + 1);
  if (secondColon == std::string_view::npos) fail("found only one colon");

  const std::string_view host = entry.substr(0, firstColon);
  if (host.empty()) fail("the host is empty");
  for (const char c : host) {
    if (!isHostChar(c)) fail("the host holds a character that no host name has");
  }
  if (!isPort(entry.substr(firstColon + 1, secondColon - firstColon - 1))) {
    fail("the port must be a number from 1 to 65535");
  }

  std::string_view addresses = entry.substr(secondColon + 1);
  if (addresses.empty()) fail("the address is empty");
  while (true) {
    const std::size_t comma = addresses.find(',');
    if (!isNumericAddress(addresses.substr(0, comma))) {
      fail("the address must be a numeric IPv4 or IPv6 address");
    }
    if (comma == std::string_view::npos) break;
    addresses.remove_prefix(comma + 1);
  }
}

}  // namespace quillon::webfetch
