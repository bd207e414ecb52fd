#pragma once

#include <string>
#include <string_view>

namespace quillon::webfetch {

// A proxy that every page load and every fetch over HTTP goes through, as the user wrote it:
// http://[USER:PASSWORD@]HOST:PORT or socks5://HOST:PORT.
struct ProxySetting {
  enum class Kind { Http, Socks5 };
  Kind kind = Kind::Http;
  std::string host;  // a name or an address; an IPv6 address without brackets
  int port = 0;
  std::string user;  // percent-decoded
  std::string password;

  // "127.0.0.1:3128", as messages name the proxy.
  std::string hostAndPort() const;
  // The proxy as libcurl's option takes it. Names are resolved by a SOCKS proxy, as the
  // browser has it resolve them.
  std::string curlAddress() const;
};

// Reads a proxy address. Throws WebFetchError saying what is wrong: another scheme, no host,
// no port or a bad one, a path, or a user and password for a SOCKS5 proxy (the browser engine
// cannot log in to one).
ProxySetting parseProxy(std::string_view address);

}  // namespace quillon::webfetch
