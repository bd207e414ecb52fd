#pragma once

#include <string>
#include <string_view>

// UTF-8 at the program's edges (command line, files, JSON). Malformed input never
// fails: an invalid sequence or an unpaired surrogate becomes U+FFFD.

namespace quillon::text {

std::string utf16ToUtf8(std::u16string_view wide);
std::u16string utf8ToUtf16(std::string_view utf8);

// The code point at position, which moves past it: U+FFFD for an invalid or truncated
// sequence, read as utf8ToUtf16 reads it. position < utf8.size().
char32_t nextCodePoint(std::string_view utf8, std::size_t& position);

// The text as it is when it is well-formed UTF-8, else with each invalid sequence as U+FFFD.
std::string wellFormedUtf8(std::string_view utf8);

std::string cp1252ToUtf8(std::string_view bytes);
std::string utf8ToCp1252(std::string_view utf8);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// Bytes of unknown encoding (a fetched page) as UTF-8: kept as they are when they are valid
// UTF-8, otherwise read as cp1252.
std::string utf8OrCp1252(std::string_view bytes);

// Appends one character as UTF-8; a surrogate or a value past U+10FFFF as U+FFFD.
void appendUtf8(std::string& out, char32_t character);

}  // namespace quillon::text
