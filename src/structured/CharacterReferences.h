#pragma once

#include <string>
#include <string_view>

namespace quillon::structured {

// The text with its HTML character references decoded: decimal and hexadecimal ones
// ("&#233;", "&#xE9;", with the C1 range read as Windows-1252 and an invalid number as
// U+FFFD, as browsers do) and the named ones of HTML 4's Latin-1, special-character and common
// symbol sets plus "&apos;". Only references closed by ";" count; anything else stays as
// written ("AT&T", "&unknown;").
std::string decodeCharacterReferences(std::string_view text);

}  // namespace quillon::structured
