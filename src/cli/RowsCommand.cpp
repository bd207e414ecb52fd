#include "capture/PageRows.h"
#include "cli/Command.h"
#include "cli/InputReader.h"
#include "cli/Json.h"
#include "parsers/Site.h"
#include "results/ResultsTable.h"
#include "results/SpreadsheetExport.h"
#include "results/TableObserver.h"
#include "text/Cp1252.h"

#include <exception>
#include <optional>
#include <ostream>
#include <vector>

namespace quillon::cli {
namespace {

constexpr const char* kRowsHelp =
    "Usage: quillon-cli rows --site es|it|au|ca [FILE] [--output FILE]\n\n"
    "Reads a page text (cp1252 bytes, as a page walker builds it) from FILE or standard\n"
    "input, cuts it into listing blocks and handles each as a capture step does: blocks\n"
    "without a name and listings already in the table (same telephone and name) add no\n"
    "row. Prints one line: a JSON array of the rows in the order they were added, each\n"
    "an array of nine strings (the name and columns 1 to 8). No e-mail lookup is made.\n\n"
    "  --output FILE   also write the table, in its order by name, to FILE; the format\n"
    "                  follows the extension (.xls, .xlsx, .csv, .json; others: .xls)\n";

constexpr int kPrintedColumns = 9;

// Notes every row the table takes in, in the order they come.
class AddedRows final : public results::TableObserver {
 public:
  explicit AddedRows(const results::ResultsTable& table) : m_table(table) {}
  void rowsInserted(int first, int last) override {
    for (int row = first; row <= last; ++row) handles.push_back(m_table.rowAt(row));
  }
  std::vector<results::RowHandle> handles;

 private:
  const results::ResultsTable& m_table;
};

std::string rowsJson(const results::ResultsTable& table,
                     const std::vector<results::RowHandle>& handles) {
  std::string json = "[";
  for (std::size_t i = 0; i < handles.size(); ++i) {
    json += i == 0 ? "[" : ",[";
    for (int column = 0; column < kPrintedColumns; ++column) {
      if (column > 0) json += ',';
      json += jsonStringFromCp1252(table.Cell(handles[i], column));
    }
    json += ']';
  }
  json += ']';
  return json;
}

}  // namespace

int runRows(CommandContext& context) {
  std::optional<parsers::Site> site;
  std::optional<std::string> output;
  std::string path;
  bool havePath = false;
  for (std::size_t i = 0; i < context.args.size(); ++i) {
    const std::string& arg = context.args[i];
    const bool haveValue = i + 1 < context.args.size();
    if (arg == "--help" || arg == "-h") {
      context.out << kRowsHelp;
      return kExitOk;
    }
    if (arg == "--site") {
      if (!haveValue || !(site = parsers::siteFromCode(context.args[i + 1]))) {
        context.err << "quillon-cli rows: --site takes es, it, au or ca\n";
        return kExitUsage;
      }
      ++i;
    } else if (arg == "--output") {
      if (!haveValue || context.args[i + 1].empty()) {
        context.err << "quillon-cli rows: --output takes a file name\n";
        return kExitUsage;
      }
      output = context.args[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      context.err << "quillon-cli rows: unknown option " << arg << "\n" << kRowsHelp;
      return kExitUsage;
    } else if (!havePath) {
      path = arg;
      havePath = true;
    } else {
      context.err << "quillon-cli rows: only one FILE may be given\n";
      return kExitUsage;
    }
  }
  if (!site) {
    context.err << "quillon-cli rows: --site is required\n" << kRowsHelp;
    return kExitUsage;
  }
  auto bytes = readInput(path, context.in, context.err);
  if (!bytes) return kExitFailure;

  try {
    const std::u16string page = text::cp1252ToUtf16(*bytes);
    bytes.reset();
    results::ResultsTable table;
    AddedRows added(table);
    table.addObserver(added);
    capture::addPageRows(*site, page, table);
    table.removeObserver(added);
    if (output) results::ExportToSpreadsheet(table, *output);
    context.out << rowsJson(table, added.handles) << '\n';
  } catch (const std::exception& e) {
    context.err << "quillon-cli rows: " << e.what() << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace quillon::cli
