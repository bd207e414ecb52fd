#pragma once

#include <string_view>

namespace quillon::results {

// The comparison of a header click on `column`: the cells byte-wise (case-sensitive, no
// locale); on equal cells of a column other than 0, the names ignoring the case of the
// letters A to Z. Negative, zero or positive as row a goes before, with or after row b
// in ascending order.
int compareForHeaderSort(int column, std::string_view cellA, std::string_view nameA,
                         std::string_view cellB, std::string_view nameB);

// Byte-wise comparison with the letters a to z taken as A to Z.
int compareIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace quillon::results
