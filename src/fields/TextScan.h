#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Character-level helpers of the field kinds over UTF-8. Letters are classified by Unicode
// (ICU); the classes mirror PCRE2's with Unicode properties, so that a recogniser and the
// pattern written for it see the same words. Malformed bytes count as one character each,
// of no class.

namespace quillon::fields {

struct CodePoint {
  char32_t value = 0;
  std::size_t length = 1;  // bytes
};

// The character that begins at pos (pos < text.size()); U+FFFD for a malformed sequence.
CodePoint decodeAt(std::string_view text, std::size_t pos);
// The character that ends at pos (pos > 0).
CodePoint decodeBefore(std::string_view text, std::size_t pos);

bool isLetter(char32_t c);    // \p{L}
bool isWordChar(char32_t c);  // \w: \p{L}, \p{N} or "_"
bool isOtherHorizontalSpace(char32_t c);
bool isOtherVerticalSpace(char32_t c);
inline bool isHorizontalSpace(char32_t c) {  // \h
  return c < 0x80 ? c == U' ' || c == U'\t' : isOtherHorizontalSpace(c);
}
inline bool isVerticalSpace(char32_t c) {  // \v
  return c < 0x80 ? c >= 0x0A && c <= 0x0D : isOtherVerticalSpace(c);
}
inline bool isSpace(char32_t c) { return isHorizontalSpace(c) || isVerticalSpace(c); }
inline bool isAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
inline bool isAsciiUpper(char32_t c) { return c >= U'A' && c <= U'Z'; }

// Whether the character before pos (none at 0) / at pos (none at the end) is a \w character.
bool wordCharBefore(std::string_view text, std::size_t pos);
bool wordCharAt(std::string_view text, std::size_t pos);

// Simple Unicode case folding of one character, as a case-insensitive pattern compares.
char32_t foldedChar(char32_t c);
// Folded, accents dropped, runs of spaces as one blank, trimmed: the form in which texts
// are looked up in the word lists ("Ver  Teléfono" -> "ver telefono").
std::string lookupForm(std::string_view text);

// The text without spaces (\s) at either end.
std::string_view trimSpaces(std::string_view text);

// How many characters the text has.
std::size_t characterCount(std::string_view text);

}  // namespace quillon::fields
