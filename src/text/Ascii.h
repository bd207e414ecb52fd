#pragma once

#include <string>
#include <string_view>
#include <vector>

// ASCII rules on bytes: character classes, case, prefixes, tokens and percent-decoding.
// Bytes outside ASCII are never letters, digits or blanks here, and keep their value.

namespace quillon::text {

constexpr bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool isAsciiUpper(char c) { return c >= 'A' && c <= 'Z'; }
constexpr bool isAsciiLower(char c) { return c >= 'a' && c <= 'z'; }
constexpr bool isAsciiLetter(char c) { return isAsciiUpper(c) || isAsciiLower(c); }
constexpr bool isAsciiAlphanumeric(char c) { return isAsciiLetter(c) || isAsciiDigit(c); }
// HTML's ASCII white space: blank, tab, line feed, form feed, carriage return.
constexpr bool isAsciiSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

// The value of a hexadecimal digit (either case), or -1.
constexpr int hexDigitValue(char c) {
  if (isAsciiDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr char asciiLower(char c) { return isAsciiUpper(c) ? static_cast<char>(c + 32) : c; }

// ASCII letters in lower case, other bytes as they are.
std::string asciiLower(std::string_view text);

// True for the same text but for the case of ASCII letters.
bool equalsNoCase(std::string_view a, std::string_view b);

// True when the text begins with the prefix but for the case of ASCII letters.
bool startsWithNoCase(std::string_view text, std::string_view prefix);

// The tokens of a space-separated attribute (split at ASCII white space, the vertical tab
// too).
std::vector<std::string_view> asciiTokens(std::string_view text);

// Each "%" and two hexadecimal digits as the byte they give; everything else, a "%" without
// two digits too, as written. The bytes that come out need not be UTF-8.
std::string percentDecoded(std::string_view text);

}  // namespace quillon::text
