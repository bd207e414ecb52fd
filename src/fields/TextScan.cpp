#include "fields/TextScan.h"

#include "text/Utf8.h"

#include <algorithm>
#include <memory>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace quillon::fields {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0u) == 0x80u; }

}  // namespace

CodePoint decodeAt(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07u;
  } else {
    return {kReplacement, 1};
  }
  if (pos + length > text.size()) return {kReplacement, 1};
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[pos + k]);
    if (!isContinuation(next)) return {kReplacement, 1};
    value = (value << 6) | (next & 0x3Fu);
  }
  const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
  if (overlong || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
    return {kReplacement, 1};
  }
  return {value, length};
}

CodePoint decodeBefore(std::string_view text, std::size_t pos) {
  // A well-formed character is at most four bytes long; anything else is one stray byte.
  std::size_t start = pos - 1;
  while (start > 0 && pos - start < 4 && isContinuation(static_cast<unsigned char>(text[start]))) {
    --start;
  }
  const CodePoint c = decodeAt(text, start);
  if (start + c.length == pos) return c;
  return {kReplacement, 1};
}

bool isLetter(char32_t c) {
  if (c < 0x80) return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
  return c != kReplacement && (U_GET_GC_MASK(static_cast<UChar32>(c)) & U_GC_L_MASK) != 0;
}

bool isWordChar(char32_t c) {
  if (c < 0x80) return isLetter(c) || isAsciiDigit(c) || c == U'_';
  if (c == kReplacement) return false;
  return (U_GET_GC_MASK(static_cast<UChar32>(c)) & (U_GC_L_MASK | U_GC_N_MASK)) != 0;
}

bool isOtherHorizontalSpace(char32_t c) {
  return c == 0xA0 || c == 0x1680 || c == 0x180E || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
         c == 0x205F || c == 0x3000;
}

bool isOtherVerticalSpace(char32_t c) { return c == 0x85 || c == 0x2028 || c == 0x2029; }

bool wordCharBefore(std::string_view text, std::size_t pos) {
  return pos > 0 && isWordChar(decodeBefore(text, pos).value);
}

bool wordCharAt(std::string_view text, std::size_t pos) {
  return pos < text.size() && isWordChar(decodeAt(text, pos).value);
}

char32_t foldedChar(char32_t c) {
  if (c < 0x80) return c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c;
  return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

std::string lookupForm(std::string_view text) {
  const auto ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
  if (std::all_of(text.begin(), text.end(), ascii)) {
    std::string out;
    for (const char c : text) {
      if (isSpace(static_cast<unsigned char>(c))) {
        if (!out.empty() && out.back() != ' ') out += ' ';
      } else {
        out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
      }
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
  }
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
  const icu::UnicodeString wide = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  icu::UnicodeString decomposed = U_SUCCESS(status) ? nfd->normalize(wide, status) : wide;
  if (U_FAILURE(status)) decomposed = wide;
  decomposed.foldCase();
  std::string out;
  bool blank = false;
  for (int32_t i = 0; i < decomposed.length();) {
    const UChar32 c = decomposed.char32At(i);
    i += U16_LENGTH(c);
    if (U_GET_GC_MASK(c) & U_GC_M_MASK) continue;  // accents
    if (u_isUWhiteSpace(c)) {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    text::appendUtf8(out, static_cast<char32_t>(c));
  }
  return out;
}

std::string_view trimSpaces(std::string_view text) {
  while (!text.empty() && isSpace(decodeAt(text, 0).value)) {
    text.remove_prefix(decodeAt(text, 0).length);
  }
  while (!text.empty() && isSpace(decodeBefore(text, text.size()).value)) {
    text.remove_suffix(decodeBefore(text, text.size()).length);
  }
  return text;
}

std::size_t characterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); i += decodeAt(text, i).length) ++count;
  return count;
}

}  // namespace quillon::fields
