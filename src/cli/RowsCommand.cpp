#include "capture/PageRows.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/InputReader.h"
#include "parsers/Site.h"
#include "results/ResultsTable.h"
#include "results/SpreadsheetExport.h"
#include "results/TableObserver.h"
#include "text/Cp1252.h"
#include "text/JsonString.h"

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
    for (int row = first; row <= last; ++row) handles.push_back(m_table.RowAt(row));
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
      json += text::jsonStringFromUtf8(table.Cell(handles[i], column));
    }
    json += ']';
  }
  json += ']';
  return json;
}

}  // namespace

int runRows(CommandContext& context) {
  CommandLine line("rows", kRowsHelp);
  line.addValue(QStringLiteral("site"), "--site takes es, it, au or ca");
  line.addValue(QStringLiteral("output"), "--output takes a file name");
  if (const auto status = line.parse(context.args, context)) return *status;
  if (!line.isSet(QStringLiteral("site"))) return line.fail(context, "--site is required", true);
  const auto site = parsers::siteFromCode(line.value(QStringLiteral("site")));
  if (!site) return line.failOption(context, QStringLiteral("site"));
  std::optional<std::string> output;
  if (line.isSet(QStringLiteral("output"))) {
    output = line.nonEmpty(QStringLiteral("output"), context);
    if (!output) return kExitUsage;
  }
  const std::vector<std::string> files = line.positional();
  if (files.size() > 1) return line.fail(context, "only one FILE may be given");
  const std::string path = files.empty() ? std::string() : files.front();

  auto bytes = readInput(path, context.in, context.err);
  if (!bytes) return kExitFailure;

  try {
    const std::u16string page = text::cp1252ToUtf16(*bytes);
    bytes.reset();
    results::ResultsTable table;
    AddedRows added(table);
    table.AddObserver(added);
    capture::addPageRows(*site, page, table);
    table.RemoveObserver(added);
    if (output) results::ExportToSpreadsheet(table, *output);
    context.out << rowsJson(table, added.handles) << '\n';
  } catch (const std::exception& e) {
    context.err << "quillon-cli rows: " << e.what() << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace quillon::cli
