#include "text/Ascii.h"

#include <algorithm>

namespace quillon::text {

std::string asciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = asciiLower(c);
  return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return asciiLower(x) == asciiLower(y);
         });
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

std::vector<std::string_view> asciiTokens(std::string_view text) {
  const auto isSpace = [](char c) { return isAsciiSpace(c) || c == '\v'; };
  std::vector<std::string_view> tokens;
  std::size_t start = 0;
  while (start < text.size()) {
    while (start < text.size() && isSpace(text[start])) ++start;
    std::size_t end = start;
    while (end < text.size() && !isSpace(text[end])) ++end;
    if (end > start) tokens.push_back(text.substr(start, end - start));
    start = end;
  }
  return tokens;
}

std::string percentDecoded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int high = text[i] == '%' && i + 2 < text.size() ? hexDigitValue(text[i + 1]) : -1;
    const int low = high >= 0 ? hexDigitValue(text[i + 2]) : -1;
    if (low >= 0) {
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace quillon::text
