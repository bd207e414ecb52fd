// The cp1252, UTF-16 and UTF-8 conversions: round trips and the promises of their headers.

#include "FuzzSupport.h"
#include "text/Cp1252.h"
#include "text/Utf8.h"

namespace {

using namespace quillon::text;

bool isSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }
bool isHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The text with every unpaired surrogate replaced by U+FFFD.
std::u16string withoutLoneSurrogates(std::u16string_view wide) {
  std::u16string out;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    if (isHigh(wide[i]) && i + 1 < wide.size() && isLow(wide[i + 1])) {
      out.push_back(wide[i]);
      out.push_back(wide[++i]);
    } else {
      out.push_back(isSurrogate(wide[i]) ? char16_t{0xFFFD} : wide[i]);
    }
  }
  return out;
}

// Strict UTF-8 validation, written apart from the converter under test.
bool isStrictUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (b < 0x80) {
      ++i;
      continue;
    }
    if ((b & 0xE0) == 0xC0) {
      n = 2, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      n = 3, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      n = 4, cp = b & 0x07, min = 0x10000;
    } else {
      return false;
    }
    if (i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n;
  }
  return true;
}

void checkBytes(std::string_view bytes) {
  // Every byte string survives cp1252 -> UTF-16 -> cp1252, and so through UTF-8.
  const std::u16string wide = cp1252ToUtf16(bytes);
  FUZZ_CHECK(wide.size() == bytes.size());
  FUZZ_CHECK(utf16ToCp1252(wide) == bytes);
  FUZZ_CHECK(fitsCp1252(wide));
  const std::string utf8 = cp1252ToUtf8(bytes);
  FUZZ_CHECK(isStrictUtf8(utf8));
  FUZZ_CHECK(utf8ToCp1252(utf8) == bytes);

  // Any bytes read as UTF-8: the result is well-formed UTF-16, and valid UTF-8 comes back
  // unchanged.
  const std::u16string fromUtf8 = utf8ToUtf16(bytes);
  FUZZ_CHECK(withoutLoneSurrogates(fromUtf8) == fromUtf8);
  FUZZ_CHECK(fromUtf8.size() <= bytes.size());
  const std::string again = utf16ToUtf8(fromUtf8);
  FUZZ_CHECK(isStrictUtf8(again));
  FUZZ_CHECK(utf8ToUtf16(again) == fromUtf8);
  if (isStrictUtf8(bytes)) FUZZ_CHECK(again == bytes);
  // The library's own check agrees, and so does the choice of a fetched page's encoding.
  FUZZ_CHECK(isValidUtf8(bytes) == isStrictUtf8(bytes));
  FUZZ_CHECK(utf8OrCp1252(bytes) == (isStrictUtf8(bytes) ? std::string(bytes) : utf8));
}

void checkWide(std::u16string_view wide) {
  const std::string narrow = utf16ToCp1252(wide);
  // One byte per character: a surrogate pair is one character, anything else one unit.
  std::size_t characters = 0;
  for (std::size_t i = 0; i < wide.size(); ++i, ++characters) {
    if (isHigh(wide[i]) && i + 1 < wide.size() && isLow(wide[i + 1])) ++i;
  }
  FUZZ_CHECK(narrow.size() == characters);
  // Narrowing is final: what it gives narrows to itself again.
  FUZZ_CHECK(utf16ToCp1252(cp1252ToUtf16(narrow)) == narrow);
  // fitsCp1252 tells exactly when nothing is lost.
  FUZZ_CHECK(fitsCp1252(wide) == (cp1252ToUtf16(narrow) == wide));
  // Character by character, the same bytes as the whole text (outside surrogates).
  for (std::size_t i = 0, at = 0; i < wide.size(); ++i, ++at) {
    if (isHigh(wide[i]) && i + 1 < wide.size() && isLow(wide[i + 1])) {
      FUZZ_CHECK(narrow[at] == '?');
      ++i;
    } else {
      FUZZ_CHECK(narrow[at] == cp1252FromChar(wide[i]));
    }
  }

  // UTF-16 -> UTF-8 -> UTF-16 keeps everything but unpaired surrogates.
  const std::string utf8 = utf16ToUtf8(wide);
  FUZZ_CHECK(isStrictUtf8(utf8));
  FUZZ_CHECK(utf8ToUtf16(utf8) == withoutLoneSurrogates(wide));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = quillon::fuzz::bytesOf(data, size);
  checkBytes(bytes);
  checkWide(quillon::fuzz::wideOf(bytes));
  return 0;
}
