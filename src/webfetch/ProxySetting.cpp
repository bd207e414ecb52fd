#include "webfetch/ProxySetting.h"

#include "text/Ascii.h"
#include "webfetch/WebFetchError.h"

#include <algorithm>

namespace quillon::webfetch {
namespace {

[[noreturn]] void refuse(std::string_view address, const std::string& why) {
  std::string text = "the proxy ";
  text += address;
  text += ' ';
  text += why;
  throw WebFetchError(text);
}

// The characters that may stand in a user name or password without percent-encoding.
std::string percentEncoded(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    if (text::isAsciiAlphanumeric(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      out += c;
    } else {
      const auto byte = static_cast<unsigned char>(c);
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

bool isHostChar(char c) { return text::isAsciiAlphanumeric(c) || c == '-' || c == '.' || c == '_'; }

}  // namespace

std::string ProxySetting::hostAndPort() const {
  const bool ipv6 = host.find(':') != std::string::npos;
  std::string text = ipv6 ? "[" + host + "]" : host;
  text += ':';
  text += std::to_string(port);
  return text;
}

std::string ProxySetting::curlAddress() const {
  std::string address = kind == Kind::Socks5 ? "socks5h://" : "http://";
  if (!user.empty() || !password.empty()) {
    address += percentEncoded(user);
    address += ':';
    address += percentEncoded(password);
    address += '@';
  }
  address += hostAndPort();
  return address;
}

ProxySetting parseProxy(std::string_view address) {
  ProxySetting proxy;
  const std::size_t schemeEnd = address.find("://");
  const std::string scheme = text::asciiLower(
      schemeEnd == std::string_view::npos ? std::string_view() : address.substr(0, schemeEnd));
  if (scheme == "http") {
    proxy.kind = ProxySetting::Kind::Http;
  } else if (scheme == "socks5") {
    proxy.kind = ProxySetting::Kind::Socks5;
  } else {
    refuse(address, "is neither http://HOST:PORT nor socks5://HOST:PORT");
  }
  std::string_view rest = address.substr(schemeEnd + 3);
  if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
  if (rest.find_first_of("/?#") != std::string_view::npos) refuse(address, "has a path");
  if (const std::size_t at = rest.rfind('@'); at != std::string_view::npos) {
    const std::string_view login = rest.substr(0, at);
    const std::size_t colon = login.find(':');
    proxy.user = text::percentDecoded(login.substr(0, colon));
    if (colon != std::string_view::npos)
      proxy.password = text::percentDecoded(login.substr(colon + 1));
    rest = rest.substr(at + 1);
    if (proxy.kind == ProxySetting::Kind::Socks5) {
      refuse(address, "has a user name: the browser engine cannot log in to a SOCKS5 proxy");
    }
  }
  const std::size_t colon = rest.rfind(':');
  if (colon == std::string_view::npos || rest.substr(colon).find(']') != std::string_view::npos) {
    refuse(address, "has no port");
  }
  std::string_view host = rest.substr(0, colon);
  const std::string_view port = rest.substr(colon + 1);
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
    host = host.substr(1, host.size() - 2);
  } else if (!std::all_of(host.begin(), host.end(), isHostChar)) {
    host = {};
  }
  if (host.empty()) refuse(address, "has no host");
  if (port.empty() || port.size() > 5 ||
      !std::all_of(port.begin(), port.end(), text::isAsciiDigit) ||
      std::stoi(std::string(port)) < 1 || std::stoi(std::string(port)) > 65535) {
    refuse(address, "has no port from 1 to 65535");
  }
  proxy.host = std::string(host);
  proxy.port = std::stoi(std::string(port));
  return proxy;
}

}  // namespace quillon::webfetch
