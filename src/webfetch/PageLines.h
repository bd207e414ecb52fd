#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon::webfetch {

// Splits a fetched body into lines, byte for byte: a line ends at CR LF, at a lone CR or at
// a lone LF, and a NUL ends the text. A break at the very end opens no further line.
std::vector<std::string> splitPageLines(std::string_view body);

// The lines as one text, each followed by CR LF.
std::string joinPageLines(const std::vector<std::string>& lines);

}  // namespace quillon::webfetch
