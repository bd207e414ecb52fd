#pragma once

// Best-fit narrowing of characters that code page 1252 does not carry.

namespace quillon::text {

// The cp1252 byte that stands in for a character outside the code page, or 0 when
// the best-fit table has no entry for it.
unsigned char bestFit1252(char16_t c);

}  // namespace quillon::text
