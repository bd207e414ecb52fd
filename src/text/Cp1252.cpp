#include "text/Cp1252.h"

#include "text/BestFit1252.h"

#include <array>

namespace quillon::text {
namespace {

// Bytes 0x80-0x9F of cp1252. The five undefined bytes keep the C1 control of their own value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }
bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Exact encoding only: 0 when the character is not one of the 256 of the code page.
// (U+0000 itself is handled by the caller.)
unsigned char exactByte(char16_t c) {
  // C1 controls go to the byte of the same value, as Windows' table for 1252 does.
  if (c < 0x100) return static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == c) return static_cast<unsigned char>(0x80 + i);
  }
  return 0;
}

}  // namespace

char16_t charFromCp1252(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
  return byte;
}

char cp1252FromChar(char16_t c) {
  if (c == 0) return '\0';
  if (isSurrogate(c)) return '?';
  if (unsigned char b = exactByte(c)) return static_cast<char>(b);
  if (unsigned char b = bestFit1252(c)) return static_cast<char>(b);
  return '?';
}

std::u16string cp1252ToUtf16(std::string_view bytes) {
  std::u16string out;
  out.resize(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    out[i] = charFromCp1252(static_cast<unsigned char>(bytes[i]));
  }
  return out;
}

std::string utf16ToCp1252(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t c = wide[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (isHighSurrogate(c) && i + 1 < wide.size() && isLowSurrogate(wide[i + 1])) {
      out.push_back('?');  // a character beyond the BMP: one "?" for the pair
      ++i;
    } else {
      out.push_back(cp1252FromChar(c));
    }
  }
  return out;
}

int exactCp1252Byte(char32_t c) {
  if (c == 0) return 0;
  if (c > 0xFFFF) return -1;
  const auto wide = static_cast<char16_t>(c);
  const unsigned char b = exactByte(wide);
  return b != 0 && charFromCp1252(b) == wide ? b : -1;
}

bool fitsCp1252(std::u16string_view wide) {
  for (char16_t c : wide) {
    if (c == 0) continue;
    // A C1 control goes to the byte of its value, which reads back as another character
    // unless it is one of the five undefined bytes.
    const unsigned char b = exactByte(c);
    if (b == 0 || charFromCp1252(b) != c) return false;
  }
  return true;
}

}  // namespace quillon::text
