#pragma once

#include <string>
#include <string_view>

// The two text finders shared by the rule sets and the Italian e-mail lookup.
// Both take and return cp1252 text; empty text means nothing was found.

namespace quillon::parsers {

// The first text that looks like a web address (any dotted run of at least six
// characters, after skipping one run shorter than five).
std::string FindLink(std::string_view text);

// The first text that looks like an e-mail address.
std::string FindEmail(std::string_view text);

}  // namespace quillon::parsers
