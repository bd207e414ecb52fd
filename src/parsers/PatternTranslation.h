#pragma once

#include <string>
#include <string_view>

namespace quillon::parsers {

// Rewrites a pattern so that PCRE2 gives the listing patterns' semantics: "\s" is
// space, tab, line feed, carriage return or form feed (PCRE2's own class also takes
// the vertical tab), inside brackets too; "\S" is its complement.
std::string translatePattern(std::string_view pattern);

}  // namespace quillon::parsers
