#pragma once

#include <string_view>

namespace quillon::webfetch {

// Checks one host override in the form of curl's --resolve option,
// HOST:PORT:ADDRESS[,ADDRESS...]: requests for HOST on PORT connect to ADDRESS (a numeric
// IPv4 address, or an IPv6 address, bracketed or not) instead of what name resolution
// gives. Throws WebFetchError saying what is wrong with a malformed one.
void checkHostOverride(std::string_view entry);

}  // namespace quillon::webfetch
