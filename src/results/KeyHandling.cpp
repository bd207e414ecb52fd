#include "results/KeyHandling.h"

#include "results/CountPanel.h"
#include "results/ResultsTable.h"
#include "results/RowSelection.h"

namespace quillon::results {

std::string keyCountText(int count) { return std::to_string(count) + " líneas capturadas"; }

void applyListKey(ResultsTable& table, CountPanel& countPanel, RowSelection& selection,
                  ListKeyCommand command) {
  if (command == ListKeyCommand::SelectAll) {
    selection.selectAll();
    return;
  }
  if (command == ListKeyCommand::DeleteSelected) table.DeleteSelectedRows(selection.selectedRows());
  countPanel.setCountText(keyCountText(table.Count()));
}

}  // namespace quillon::results
