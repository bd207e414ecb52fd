#pragma once

#include <cstdint>
#include <string>

namespace quillon::results {

class CountPanel;
class ResultsTable;

// The modifier keys held with a key press.
struct KeyModifiers {
  bool shift = false;
  bool alt = false;
  bool ctrl = false;
};

inline constexpr std::uint16_t kKeyA = 65;
inline constexpr std::uint16_t kKeyDelete = 46;

// The count panel's text after a key press in the list: the row count and
// " l\xEDneas capturadas" (cp1252), whatever directory the rows came from.
std::string keyCountText(int count);

// A key pressed in the results list (virtual-key code). Ctrl+A, with no other modifier,
// selects every row and nothing more; Delete, with any modifiers, removes the selected
// rows; every key but Ctrl+A then rewrites the count panel. The key is not consumed:
// the list's own handling goes on afterwards.
void lvKeyDown(ResultsTable& table, CountPanel& countPanel, std::uint16_t key,
               KeyModifiers modifiers);

}  // namespace quillon::results
