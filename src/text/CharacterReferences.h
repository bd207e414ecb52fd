#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// HTML's character references, decoded by the HTML standard's rules for a reference in an
// attribute value:
// - numeric ones, decimal ("&#233;") or hexadecimal ("&#xE9;"), with or without the closing
//   ";": the C1 range &#128;-&#159; read as Windows-1252 ("&#128;" is "€"), zero, a surrogate
//   or a number past U+10FFFF as U+FFFD; "&#" without a digit stays as written;
// - named ones closed by ";", from the standard's whole list ("&eacute;", "&commat;");
// - the standard's legacy names without ";" ("&amp", "&copy", "&eacute"), unless a letter, a
//   digit or "=" follows them ("&copy=1", "&notit" stay as written).
// Anything else stays as written ("AT&T", "&unknown;").
//
// Why the attribute rules: in the text of an element HTML also takes a legacy name that a
// letter, a digit or "=" follows, and the longest legacy name at the start of a longer word
// ("&notit;" is "¬it;"). The values decoded here are JSON-LD strings and listing values,
// addresses with query strings among them ("?a=1&copy=2&lang=it"), and the markup of a page
// searched for an address written with references; the text rules would turn their "&copy="
// and "&center" into "©=" and "¢er". With ";" or before a blank the two rules agree.

namespace quillon::text {

// One reference at the start of text (which begins with "&"): its characters as UTF-8 and its
// length in bytes, ";" included.
struct CharacterReference {
  std::string utf8;
  std::size_t length = 0;
};
std::optional<CharacterReference> characterReferenceAt(std::string_view text);

// The text (UTF-8) with every reference decoded.
std::string decodeCharacterReferences(std::string_view text);

}  // namespace quillon::text
