#pragma once

#include <vector>

namespace quillon::results {

// The rows the user has selected in the results list. The list's own selection holds
// them; the table's key handling reads and extends it through this interface.
class RowSelection {
 public:
  virtual ~RowSelection() = default;
  virtual void selectAll() = 0;
  // The selected rows' indices, ascending.
  virtual std::vector<int> selectedRows() const = 0;
};

}  // namespace quillon::results
