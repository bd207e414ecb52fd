#pragma once

#include <cstdint>

namespace quillon::shell {

// The virtual-key code of a Qt key, as the table's key handling counts keys: letters and
// digits are their upper-case characters, Delete is 46, and so on; 0 for a key without one.
std::uint16_t virtualKeyOf(int qtKey);

}  // namespace quillon::shell
