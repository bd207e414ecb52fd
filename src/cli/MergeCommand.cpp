#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "results/JsonWriter.h"
#include "results/ResultsError.h"
#include "results/ResultsTable.h"
#include "results/RowWriter.h"
#include "results/SpreadsheetExport.h"
#include "results/TableMerge.h"

#include <ostream>

namespace quillon::cli {
namespace {

constexpr const char* kMergeHelp =
    "Usage: quillon-cli merge FILE... [--output FILE]\n\n"
    "Merges files of rows that Quillon wrote (.json, .csv, .xlsx; the outputs of the\n"
    "shards of a list of searches, say) into one table with the duplicate rule of a\n"
    "capture: a row with the telephone and the name of a row read before is left out,\n"
    "so the first one is kept, in the order of the files. The apostrophe that guards a\n"
    ".csv cell from spreadsheet formulas is taken off as it is read (and put back when\n"
    "the output is .csv). A file that is not one of ten-column rows is refused, named.\n\n"
    "  --output FILE     write the table to FILE, format by extension (.xls, .xlsx, .csv,\n"
    "                    .json); without it the rows go to standard output as JSON\n";

}  // namespace

int runMerge(CommandContext& context) {
  CommandLine line("merge", kMergeHelp);
  line.addValue(QStringLiteral("output"), "--output takes a file name");
  if (const auto status = line.parse(context.args, context)) return *status;
  const std::vector<std::string> inputs = line.positional();
  if (inputs.empty()) return line.fail(context, "one or more FILEs to merge are required", true);
  std::string output;
  if (line.isSet(QStringLiteral("output"))) {
    const auto value = line.nonEmpty(QStringLiteral("output"), context);
    if (!value) return kExitUsage;
    output = *value;
  }

  results::ResultsTable table;
  try {
    for (const std::string& input : inputs) {
      const std::vector<results::RowTexts> rows = results::readRowFile(input);
      const int added = results::mergeRows(table, rows);
      context.err << input << ": " << rows.size() << " rows, " << added << " new\n";
    }
  } catch (const results::RowFileError& error) {
    context.err << "quillon-cli merge: " << error.what() << "\n";
    return kExitFailure;
  }
  try {
    if (output.empty()) {
      results::JsonWriter writer(context.out);
      results::writeTable(table, writer);
      context.out.flush();
    } else {
      results::ExportToSpreadsheet(table, output);
      context.err << table.Count() << " rows written to " << output << "\n";
    }
  } catch (const std::exception& error) {
    context.err << "quillon-cli merge: " << error.what() << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace quillon::cli
