#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillon::results {

// Stands for an empty cell among the indices into the shared strings.
inline constexpr std::uint32_t kNoSharedString = 0xFFFFFFFFu;

// The BIFF8 workbook stream of a workbook with one sheet, "Sheet1": the shared strings
// (UTF-16), the number of cells that refer to them, and per row ten indices into them.
std::string xlsWorkbookStream(const std::vector<std::u16string>& strings, std::uint32_t references,
                              const std::vector<std::uint32_t>& cells);

}  // namespace quillon::results
