#include "text/JsonString.h"

#include "text/Cp1252.h"
#include "text/Utf8.h"

namespace quillon::text {

void appendJsonString(std::string& out, std::u16string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out.push_back('"');
  std::size_t runStart = 0;
  const auto flushRun = [&](std::size_t end) {
    out += utf16ToUtf8(text.substr(runStart, end - runStart));
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
    if (!control && c != u'"' && c != u'\\') continue;
    flushRun(i);
    runStart = i + 1;
    switch (c) {
      case u'"':
        out += "\\\"";
        break;
      case u'\\':
        out += "\\\\";
        break;
      case u'\n':
        out += "\\n";
        break;
      case u'\r':
        out += "\\r";
        break;
      case u'\t':
        out += "\\t";
        break;
      default:
        out += "\\u00";
        out.push_back(kHex[(c >> 4) & 0xF]);
        out.push_back(kHex[c & 0xF]);
    }
  }
  flushRun(text.size());
  out.push_back('"');
}

std::string jsonString(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  appendJsonString(out, text);
  return out;
}

std::string jsonStringFromCp1252(std::string_view bytes) {
  return jsonString(cp1252ToUtf16(bytes));
}

std::string jsonStringFromUtf8(std::string_view utf8) { return jsonString(utf8ToUtf16(utf8)); }

}  // namespace quillon::text
