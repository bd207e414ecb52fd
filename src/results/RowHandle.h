#pragma once

#include <cstdint>

namespace quillon::results {

// A row of the results table as AddRow returns it. It stays safe to use after the row
// is deleted: the table then treats it as no row at all, also when its storage has been
// reused for a newer row.
struct RowHandle {
  std::uint32_t slot = 0xFFFFFFFFu;
  std::uint32_t generation = 0;

  friend bool operator==(const RowHandle&, const RowHandle&) = default;
};

}  // namespace quillon::results
