#include "results/HeaderSort.h"

#include "text/Cp1252.h"
#include "text/Utf8.h"

#include <algorithm>

namespace quillon::results {
namespace {

char32_t upperAscii(char32_t c) { return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c; }

// Where a character stands in the plain order.
char32_t rank(char32_t c) {
  if (c < 0x80) return c;
  const int byte = text::exactCp1252Byte(c);
  return byte >= 0 ? static_cast<char32_t>(byte) : 0x100 + c;
}

int sign(int value) { return (value > 0) - (value < 0); }

template <class Fold>
int compareRanks(std::string_view a, std::string_view b, Fold fold) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    // Equal ASCII bytes, the common case, need no decoding.
    if (a[i] == b[j] && static_cast<unsigned char>(a[i]) < 0x80) {
      ++i;
      ++j;
      continue;
    }
    const char32_t x = rank(fold(text::nextCodePoint(a, i)));
    const char32_t y = rank(fold(text::nextCodePoint(b, j)));
    if (x != y) return x < y ? -1 : 1;
  }
  return sign(static_cast<int>(i < a.size()) - static_cast<int>(j < b.size()));
}

}  // namespace

int compareTexts(std::string_view a, std::string_view b) {
  return compareRanks(a, b, [](char32_t c) { return c; });
}

int compareIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return compareRanks(a, b, upperAscii);
}

int compareForHeaderSort(int column, std::string_view cellA, std::string_view nameA,
                         std::string_view cellB, std::string_view nameB) {
  const int byCell = compareTexts(cellA, cellB);
  if (byCell != 0 || column == 0) return byCell;
  return compareIgnoringAsciiCase(nameA, nameB);
}

}  // namespace quillon::results
