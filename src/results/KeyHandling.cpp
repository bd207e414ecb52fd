#include "results/KeyHandling.h"

#include "results/CountPanel.h"
#include "results/ResultsTable.h"

namespace quillon::results {

std::string keyCountText(int count) { return std::to_string(count) + " l\xEDneas capturadas"; }

void lvKeyDown(ResultsTable& table, CountPanel& countPanel, std::uint16_t key,
               KeyModifiers modifiers) {
  if (key == kKeyA && modifiers.ctrl && !modifiers.shift && !modifiers.alt) {
    table.SelectAllRows();
    return;
  }
  if (key == kKeyDelete) table.DeleteSelectedRows();
  countPanel.setCountText(keyCountText(table.Count()));
}

}  // namespace quillon::results
