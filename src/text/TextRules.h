#pragma once

#include <string>
#include <string_view>

// Small rules on UTF-8 text that the schema.org reader, the profiles and the e-mail search
// share.

namespace quillon::text {

// Runs of white space (ASCII, no-break and the other Unicode spaces) as one blank, trimmed.
std::string collapseWhiteSpace(std::string_view text);

// Runs of HTML's ASCII white space (blank, tab, line feed, form feed, carriage return) as one
// blank, trimmed; other bytes as they are.
std::string collapseAsciiSpace(std::string_view text);

// Lower case for ASCII and the Latin-1 letters, which is what the words compared without
// case need ("PÁGINA", "Nächste"); other characters stay as they are.
std::string foldCase(std::string_view text);

}  // namespace quillon::text
