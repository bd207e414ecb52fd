#pragma once

#include <string_view>

namespace quillon::webfetch {

// Checks one host override in the form of curl's --resolve option,
// HOST:PORT:ADDRESS[,ADDRESS...]: requests for HOST on PORT connect to ADDRESS (a numeric
// IPv4 address, or an IPv6 address, bracketed or not) instead of what name resolution
// gives. Throws WebFetchError saying what is wrong with a malformed one.
void checkHostOverride(std::string_view entry);

// Checks one connection override in the form of curl's --connect-to option,
// HOST:PORT:CONNECT-HOST:CONNECT-PORT: requests for HOST on PORT connect to CONNECT-HOST on
// CONNECT-PORT instead. An empty HOST or PORT matches any; an empty CONNECT-HOST or
// CONNECT-PORT keeps the request's own. IPv6 addresses are written in brackets. Throws
// WebFetchError saying what is wrong with a malformed one.
void checkConnectTo(std::string_view entry);

}  // namespace quillon::webfetch
