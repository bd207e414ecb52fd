#pragma once

#include <array>
#include <string_view>

// The ten columns of the results table: their widths and the three caption sets.

namespace quillon::results {

inline constexpr int kColumnCount = 10;

// The column that holds the telephone number in every directory (the duplicate rule).
inline constexpr int kPhoneColumn = 3;

// The ten cells of one row, column 0 (the name) first; UTF-8.
using RowCells = std::array<std::string_view, kColumnCount>;

// The caption sets: TransEspanian, TransItalian and TransCanadian (English).
enum class CaptionSet { Spanish, Italian, English };

// Width of a column in pixels (0 to 9).
int columnWidth(int column);

// The captions a set gives to columns 0 to 8 (UTF-8). Column 9 is never captioned.
const std::array<std::string_view, kColumnCount - 1>& captionsOf(CaptionSet set);

}  // namespace quillon::results
