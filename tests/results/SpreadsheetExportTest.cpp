#include "ExportTestSupport.h"
#include "TableTestSupport.h"
#include "results/ResultsError.h"
#include "results/ResultsTable.h"
#include "results/SpreadsheetExport.h"
#include "support/AsOrdinaryUser.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace quillon::results {
namespace {

using namespace testing;

// The rows the table shows, in its order.
Rows rowsOf(const ResultsTable& table) {
  Rows rows;
  for (int r = 0; r < table.Count(); ++r) {
    std::array<std::string, kColumnCount> row;
    for (int c = 0; c < kColumnCount; ++c) row[c] = table.Cell(r, c);
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> filesIn(const TempFolder& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string exportError(const ResultsTable& table, const std::string& path) {
  try {
    ExportToSpreadsheet(table, path);
  } catch (const ExportError& error) {
    return error.what();
  }
  return "no error";
}

// The message's start for a file (appends avoid a false -Wrestrict of GCC 12).
std::string cannotSave(const std::string& path, const std::string& reason) {
  std::string message = "Cannot save \"";
  message += path;
  message += "\": ";
  message += reason;
  return message;
}

class SpreadsheetExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table.AddRow("Zeta", {"b", "", "2", "", "", "", "", "", "zeta@example.com"});
    table.AddRow("Alfa", {"a", "", "0034 912", " blank ", "08001", "", "+34", ""});
    table.AddRow("Beta", {"c", "", "1"});
  }
  ResultsTable table = spanishTable();
  TempFolder folder;
};

TEST_F(SpreadsheetExportTest, ChoosesTheFormatByExtension) {
  EXPECT_EQ(formatForFileName("/a/b.xlsx"), SpreadsheetFormat::Xlsx);
  EXPECT_EQ(formatForFileName("B.XLSX"), SpreadsheetFormat::Xlsx);
  EXPECT_EQ(formatForFileName("b.csv"), SpreadsheetFormat::Csv);
  EXPECT_EQ(formatForFileName("b.Json"), SpreadsheetFormat::Json);
  EXPECT_EQ(formatForFileName("b.xls"), SpreadsheetFormat::Xls);
  EXPECT_EQ(formatForFileName("b.txt"), SpreadsheetFormat::Xls);
  EXPECT_EQ(formatForFileName("b"), SpreadsheetFormat::Xls);
  EXPECT_EQ(formatForFileName("dir.csv/b"), SpreadsheetFormat::Xls);
}

TEST_F(SpreadsheetExportTest, WritesEveryFormatInTheTablesOrder) {
  table.SortByColumn(3);  // the header order is what the file gets
  const Rows expected = rowsOf(table);
  ASSERT_EQ(expected[0][0], "Alfa");
  ASSERT_EQ(expected[1][0], "Beta");
  const std::pair<const char*, const std::string*> cases[] = {{"out.xls", &kXlsReader},
                                                              {"out.xlsx", &kXlsxReader},
                                                              {"out.csv", &kCsvReader},
                                                              {"out.json", &kJsonReader},
                                                              {"out.txt", &kXlsReader}};
  for (const auto& [name, reader] : cases) {
    const std::string path = folder.file(name);
    ExportToSpreadsheet(table, path);
    const bool spreadsheet = reader == &kXlsReader || reader == &kXlsxReader;
    const Rows cells = reader == &kCsvReader ? csvCells(expected) : expected;
    EXPECT_EQ(runPython(*reader, path), expectedReading(cells, spreadsheet)) << name;
  }
  EXPECT_EQ(filesIn(folder),
            (std::vector<std::string>{"out.csv", "out.json", "out.txt", "out.xls", "out.xlsx"}));
  EXPECT_EQ(rowsOf(table), expected);  // the export changes nothing
}

TEST_F(SpreadsheetExportTest, ReplacesAnExistingFile) {
  const std::string path = folder.file("out.csv");
  writeFile(path, "old contents that are longer than the new ones will be, surely, yes");
  ExportToSpreadsheet(table, path);
  EXPECT_EQ(readFile(path).substr(0, 8),
            "\xEF\xBB\xBF"
            "Alfa,");
  EXPECT_EQ(filesIn(folder), (std::vector<std::string>{"out.csv"}));
}

TEST_F(SpreadsheetExportTest, AMissingFolderIsAClearError) {
  const std::string path = folder.file("missing/out.xls");
  EXPECT_EQ(exportError(table, path), cannotSave(path, "No such file or directory"));
}

TEST_F(SpreadsheetExportTest, AFolderInTheWayIsAClearErrorAndLeavesNothingBehind) {
  const std::string path = folder.file("taken.xlsx");
  std::filesystem::create_directory(path);
  writeFile(path + "/inside", "kept");
  const std::string message = exportError(table, path);
  EXPECT_EQ(message.rfind(cannotSave(path, ""), 0), 0u) << message;
  EXPECT_EQ(filesIn(folder), (std::vector<std::string>{"taken.xlsx"}));
  EXPECT_EQ(readFile(path + "/inside"), "kept");
}

TEST_F(SpreadsheetExportTest, AReadOnlyFolderIsAClearError) {
  std::filesystem::permissions(
      folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const std::string path = folder.file("out.xls");
  EXPECT_EQ(quillon::testing::asOrdinaryUser([&] { return exportError(table, path); }),
            cannotSave(path, "Permission denied"));
}

TEST_F(SpreadsheetExportTest, AFailedExportLeavesTheExistingFileIntact) {
  const std::string path = folder.file("out.xlsx");
  writeFile(path, "precious");
  table.AddRow("Huge", {std::string(40000, 'x')});
  const std::string message = exportError(table, path);
  EXPECT_EQ(message.rfind(cannotSave(path, "A cell holds 40000 characters"), 0), 0u) << message;
  EXPECT_EQ(readFile(path), "precious");
  EXPECT_EQ(filesIn(folder), (std::vector<std::string>{"out.xlsx"}));
}

TEST_F(SpreadsheetExportTest, TooManyRowsForXlsFailsBeforeTouchingTheDisk) {
  ResultsTable big = spanishTable();
  for (int i = 0; i <= 65536; ++i) big.AddRow(std::to_string(i), {});
  const std::string path = folder.file("big.xls");
  writeFile(path, "precious");
  const std::string message = exportError(big, path);
  EXPECT_NE(message.find("65,536"), std::string::npos) << message;
  EXPECT_NE(message.find(".xlsx"), std::string::npos) << message;
  EXPECT_NE(message.find(path), std::string::npos) << message;
  EXPECT_EQ(readFile(path), "precious");
  EXPECT_EQ(filesIn(folder), (std::vector<std::string>{"big.xls"}));
}

TEST_F(SpreadsheetExportTest, KeepsTheModeOfTheReplacedFile) {
  const std::string path = folder.file("out.json");
  writeFile(path, "[]");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  ExportToSpreadsheet(table, path);
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_write |
                                                             std::filesystem::perms::group_read);
}

}  // namespace
}  // namespace quillon::results
