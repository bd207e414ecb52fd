#include "parsers/PatternTranslation.h"

namespace quillon::parsers {
namespace {

constexpr std::string_view kSpaceSet = "\\t\\n\\f\\r ";
// Every byte but the five above, for "\S" inside brackets.
constexpr std::string_view kNonSpaceSet = "\\x00-\\x08\\x0b\\x0e-\\x1f\\x21-\\xff";

}  // namespace

std::string translatePattern(std::string_view pattern) {
  std::string out;
  out.reserve(pattern.size() + 16);
  bool inClass = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '\\' && i + 1 < pattern.size()) {
      const char next = pattern[++i];
      if (next == 's') {
        out.append(inClass ? "" : "[").append(kSpaceSet).append(inClass ? "" : "]");
      } else if (next == 'S') {
        if (inClass) {
          out.append(kNonSpaceSet);
        } else {
          out.append("[^").append(kSpaceSet).append("]");
        }
      } else {
        out.push_back(c);
        out.push_back(next);
      }
      continue;
    }
    out.push_back(c);
    if (!inClass && c == '[') {
      inClass = true;
      // A "^" right after "[" negates; a "]" right after that is a literal member.
      if (i + 1 < pattern.size() && pattern[i + 1] == '^') out.push_back(pattern[++i]);
      if (i + 1 < pattern.size() && pattern[i + 1] == ']') out.push_back(pattern[++i]);
    } else if (inClass && c == ']') {
      inClass = false;
    }
  }
  return out;
}

}  // namespace quillon::parsers
