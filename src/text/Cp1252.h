#pragma once

#include <string>
#include <string_view>

// Conversions between Windows code page 1252 (8-bit text held in std::string) and
// UTF-16 (std::u16string). Every byte string survives cp1252 -> UTF-16 -> cp1252:
// the five bytes that cp1252 leaves undefined map to the C1 controls of the same value.

namespace quillon::text {

// Widens cp1252 bytes to UTF-16, one code unit per byte.
std::u16string cp1252ToUtf16(std::string_view bytes);

// Narrows UTF-16 to cp1252. A character that cp1252 lacks becomes its best-fit
// character where Windows' best-fit table for code page 1252 has one, otherwise "?";
// an unpaired surrogate, or a pair, becomes one "?".
std::string utf16ToCp1252(std::u16string_view wide);

// True when utf16ToCp1252 keeps every character of the text as it is.
bool fitsCp1252(std::u16string_view wide);

// The byte for one BMP character under the rules above ('?' when there is none).
char cp1252FromChar(char16_t c);

// The cp1252 byte that encodes the character exactly (no best fit), or -1 when the code
// page does not hold it.
int exactCp1252Byte(char32_t c);

// The character for one cp1252 byte.
char16_t charFromCp1252(unsigned char byte);

}  // namespace quillon::text
