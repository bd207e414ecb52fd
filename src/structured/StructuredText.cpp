#include "structured/StructuredText.h"

#include "text/Utf8.h"

namespace quillon::structured {
namespace {

bool isAsciiSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v';
}

bool isWhiteSpace(char16_t c) {
  return isAsciiSpace(c) || c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
         c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

bool isPlainAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

template <class Text, class IsSpace>
Text collapsed(const Text& text, IsSpace isSpace) {
  Text out;
  out.reserve(text.size());
  bool pending = false;
  for (const auto c : text) {
    if (isSpace(c)) {
      pending = !out.empty();
    } else {
      if (pending) out += ' ';
      pending = false;
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string collapseWhiteSpace(std::string_view text) {
  if (isPlainAscii(text)) {
    return collapsed(std::string(text), [](char c) { return isAsciiSpace(c); });
  }
  return text::utf16ToUtf8(collapsed(text::utf8ToUtf16(text), isWhiteSpace));
}

std::string foldCase(std::string_view text) {
  std::u16string wide = text::utf8ToUtf16(text);
  for (char16_t& c : wide) {
    // Latin-1's capitals are 0xC0-0xDE but for the multiplication sign.
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
      c = static_cast<char16_t>(c + 0x20);
    }
  }
  return text::utf16ToUtf8(wide);
}

std::string asciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return out;
}

std::vector<std::string_view> asciiTokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  std::size_t start = 0;
  while (start < text.size()) {
    while (start < text.size() && isAsciiSpace(static_cast<char16_t>(text[start]))) ++start;
    std::size_t end = start;
    while (end < text.size() && !isAsciiSpace(static_cast<char16_t>(text[end]))) ++end;
    if (end > start) tokens.push_back(text.substr(start, end - start));
    start = end;
  }
  return tokens;
}

bool isValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    char32_t cp = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      length = 2, cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3, cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4, cp = b & 0x07;
    } else {
      return false;
    }
    if (i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3F);
    }
    const char32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

}  // namespace quillon::structured
