#pragma once

#include <span>
#include <string_view>

// The HTML standard's named character references, for the decoder of CharacterReferences.

namespace quillon::text {

struct NamedCharacter {
  std::string_view name;  // without its ";"
  char32_t first;
  char32_t second = 0;  // a few names stand for two characters
};

// Every name, sorted in byte order.
std::span<const NamedCharacter> namedCharacters();

// The legacy names that HTML also reads without ";" ("&amp", "&eacute"), sorted in byte order.
std::span<const std::string_view> legacyCharacterNames();

}  // namespace quillon::text
