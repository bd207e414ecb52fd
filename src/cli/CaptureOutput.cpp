#include "cli/CaptureOutput.h"

#include "results/JsonWriter.h"
#include "results/ResultsTable.h"
#include "results/RowWriter.h"
#include "results/SpreadsheetExport.h"

#include <exception>
#include <ostream>

namespace quillon::cli {

bool writeRows(const results::ResultsTable& table, const CaptureOptions& options,
               CommandContext& context) {
  try {
    if (options.output.empty()) {
      results::JsonWriter writer(context.out);
      results::writeTable(table, writer);
      context.out.flush();
    } else {
      results::ExportToSpreadsheet(table, options.output);
      context.err << table.Count() << " rows written to " << options.output << "\n";
    }
  } catch (const std::exception& e) {
    context.err << "quillon-cli capture: " << e.what() << "\n";
    return false;
  }
  return true;
}

}  // namespace quillon::cli
