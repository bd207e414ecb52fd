#include "text/TextRules.h"

#include "text/Ascii.h"
#include "text/Utf8.h"

namespace quillon::text {
namespace {

// ASCII white space and the vertical tab, which collapseWhiteSpace takes as white space too.
bool isAsciiSpaceOrVt(char16_t c) {
  return c < 0x80 && (isAsciiSpace(static_cast<char>(c)) || c == u'\v');
}

bool isWhiteSpace(char16_t c) {
  return isAsciiSpaceOrVt(c) || c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
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
    return collapsed(std::string(text),
                     [](char c) { return isAsciiSpaceOrVt(static_cast<unsigned char>(c)); });
  }
  return utf16ToUtf8(collapsed(utf8ToUtf16(text), isWhiteSpace));
}

std::string collapseAsciiSpace(std::string_view text) {
  return collapsed(std::string(text), isAsciiSpace);
}

std::string foldCase(std::string_view text) {
  std::u16string wide = utf8ToUtf16(text);
  for (char16_t& c : wide) {
    // Latin-1's capitals are 0xC0-0xDE but for the multiplication sign.
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
      c = static_cast<char16_t>(c + 0x20);
    }
  }
  return utf16ToUtf8(wide);
}

}  // namespace quillon::text
