#pragma once

#include <string_view>

namespace quillon::results {

// The comparison of a header click on `column`: the cells character by character
// (case-sensitive, no locale, see compareTexts); on equal cells of a column other than 0,
// the names ignoring the case of the letters A to Z. Negative, zero or positive as row a
// goes before, with or after row b in ascending order.
int compareForHeaderSort(int column, std::string_view cellA, std::string_view nameA,
                         std::string_view cellB, std::string_view nameB);

// The plain order of two UTF-8 texts: character by character, a character of code page
// 1252 by its byte there, every other character after all of those by its code point. Rows
// of the built-in directories, whose texts all come from cp1252, thus keep the byte order
// they have in that code page.
int compareTexts(std::string_view a, std::string_view b);

// The same with the letters a to z taken as A to Z.
int compareIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace quillon::results
