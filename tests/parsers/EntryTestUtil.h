#pragma once

#include "text/Utf8.h"

#include <string>
#include <string_view>

namespace quillon::parsers::testing {

// Blocks are written in the tests as UTF-8 with "\n" for each line end; the page
// walkers end lines with CR LF.
inline std::u16string block(std::string_view utf8Lines) {
  std::string crlf;
  for (char c : utf8Lines) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return text::utf8ToUtf16(crlf);
}

inline std::u16string w(std::string_view utf8) { return text::utf8ToUtf16(utf8); }

}  // namespace quillon::parsers::testing
