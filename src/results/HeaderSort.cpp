#include "results/HeaderSort.h"

#include <algorithm>

namespace quillon::results {
namespace {

unsigned char upperAscii(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - ('a' - 'A')) : byte;
}

int sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

int compareIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = upperAscii(a[i]);
    const unsigned char y = upperAscii(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int compareForHeaderSort(int column, std::string_view cellA, std::string_view nameA,
                         std::string_view cellB, std::string_view nameB) {
  const int byCell = sign(cellA.compare(cellB));
  if (byCell != 0 || column == 0) return byCell;
  return compareIgnoringAsciiCase(nameA, nameB);
}

}  // namespace quillon::results
