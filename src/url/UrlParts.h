#pragma once

#include <optional>
#include <string>
#include <string_view>

// Absolute addresses read through libcurl's URL API, the one reader of addresses in Quillon.

namespace quillon::url {

// The parts of an absolute address ("scheme://[user@]host[:port][/path][?query][#fragment"]).
struct UrlParts {
  std::string scheme;  // lower case
  std::string user;    // empty when there is none
  std::string host;    // as written; an IPv6 address in its brackets
  std::string port;    // empty when there is none
  std::string path;    // "/" at least; percent-encoding as written
  std::string query;   // without its "?"; empty when there is none
};

// The parts of url; nothing when it is no absolute address with a host. Control characters,
// or a host that a URL cannot have (a blank in it, say), make it none.
std::optional<UrlParts> parseUrl(std::string_view url);

// The scheme of an absolute reference ("HTTP:..." gives "http"); nothing for a relative one.
std::optional<std::string> schemeOf(std::string_view reference);

// The host name of an absolute address, in lower case, without a trailing dot; an IPv6
// address keeps its brackets. Empty when there is none.
std::string urlHost(std::string_view url);

// True when url names an http or https address that can be handed to the client library.
bool isFetchableUrl(std::string_view url);

}  // namespace quillon::url
