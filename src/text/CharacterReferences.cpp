#include "text/CharacterReferences.h"

#include "text/Ascii.h"
#include "text/Cp1252.h"
#include "text/NamedCharacters.h"
#include "text/Utf8.h"

#include <algorithm>

namespace quillon::text {
namespace {

// The longest name has 31 letters ("CounterClockwiseContourIntegral").
constexpr std::size_t kLongestName = 31;

// What HTML makes of a numeric reference's value.
char32_t numericCharacter(char32_t value) {
  if (value >= 0x80 && value <= 0x9F) {
    return charFromCp1252(static_cast<unsigned char>(value));
  }
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0xFFFD;
  return value;
}

std::optional<CharacterReference> numericReference(std::string_view text) {
  // text starts with "&#"
  std::size_t i = 2;
  const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex) ++i;
  const std::size_t digitsStart = i;
  char32_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = hex ? hexDigitValue(text[i]) : (isAsciiDigit(text[i]) ? text[i] - '0' : -1);
    if (digit < 0) break;
    // Past U+10FFFF the value only has to stay there.
    if (value <= 0x10FFFF) value = value * (hex ? 16u : 10u) + static_cast<char32_t>(digit);
  }
  if (i == digitsStart) return std::nullopt;
  if (i < text.size() && text[i] == ';') ++i;
  CharacterReference reference;
  appendUtf8(reference.utf8, numericCharacter(value));
  reference.length = i;
  return reference;
}

const NamedCharacter* findName(std::string_view name) {
  const auto table = namedCharacters();
  const auto found = std::lower_bound(
      table.begin(), table.end(), name,
      [](const NamedCharacter& entry, std::string_view key) { return entry.name < key; });
  return found != table.end() && found->name == name ? &*found : nullptr;
}

bool isLegacyName(std::string_view name) {
  const auto names = legacyCharacterNames();
  return std::binary_search(names.begin(), names.end(), name);
}

std::optional<CharacterReference> namedReference(std::string_view text) {
  // text starts with "&"
  std::size_t end = 1;
  while (end < text.size() && end <= kLongestName + 1 && isAsciiAlphanumeric(text[end])) ++end;
  const std::string_view name = text.substr(1, end - 1);
  if (name.empty() || name.size() > kLongestName) return std::nullopt;
  const bool closed = end < text.size() && text[end] == ';';
  const bool legacyEnd = !closed && (end == text.size() || text[end] != '=');
  const NamedCharacter* named = nullptr;
  if (closed || (legacyEnd && isLegacyName(name))) named = findName(name);
  if (named == nullptr) return std::nullopt;
  CharacterReference reference;
  appendUtf8(reference.utf8, named->first);
  if (named->second != 0) appendUtf8(reference.utf8, named->second);
  reference.length = end + (closed ? 1 : 0);
  return reference;
}

}  // namespace

std::optional<CharacterReference> characterReferenceAt(std::string_view text) {
  if (text.size() < 2 || text[0] != '&') return std::nullopt;
  return text[1] == '#' ? numericReference(text) : namedReference(text);
}

std::string decodeCharacterReferences(std::string_view text) {
  std::size_t amp = text.find('&');
  if (amp == std::string_view::npos) return std::string(text);
  std::string out(text.substr(0, amp));
  while (amp != std::string_view::npos) {
    std::size_t next = amp + 1;
    if (const auto reference = characterReferenceAt(text.substr(amp))) {
      out += reference->utf8;
      next = amp + reference->length;
    } else {
      out += '&';
    }
    amp = text.find('&', next);
    out.append(text.substr(next, (amp == std::string_view::npos ? text.size() : amp) - next));
  }
  return out;
}

}  // namespace quillon::text
