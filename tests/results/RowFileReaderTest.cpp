// Quillon's own files read back for a merge: every format gives the rows it was written
// from, a .csv cell's formula guard comes off, and a file that is not ten-column rows is
// refused by name.

#include "ExportTestSupport.h"
#include "results/CsvGuard.h"
#include "results/CsvWriter.h"
#include "results/JsonWriter.h"
#include "results/ResultsError.h"
#include "results/ResultsTable.h"
#include "results/RowFileReader.h"
#include "results/TableMerge.h"
#include "results/XlsxFileWriter.h"

#include <functional>
#include <gtest/gtest.h>

namespace quillon::results {
namespace {

using namespace testing;

std::vector<RowTexts> asTexts(const Rows& rows) { return {rows.begin(), rows.end()}; }

std::string refusal(const std::string& path) {
  try {
    readRowFile(path);
  } catch (const RowFileError& error) {
    return error.what();
  }
  return "(read)";
}

// The awkward cells, and cells around the formula guard: apostrophes before a formula's
// first character, and apostrophes before anything else.
Rows readBackRows() {
  Rows rows = awkwardRows();
  rows.push_back(
      {"'=HYPERLINK(1)", "''abc", "=1+1", "'", "-5", "@a", "''+x", "'quoted", "\tx", "''"});
  return rows;
}

TEST(RowFileReader, EachFormatGivesBackTheRowsItWasWrittenFrom) {
  TempFolder folder;
  const Rows rows = readBackRows();
  std::ostringstream json;
  JsonWriter jsonWriter(json);
  writeRows(jsonWriter, rows);
  writeFile(folder.file("rows.json"), json.str());
  std::ostringstream csv;
  CsvWriter csvWriter(csv);
  writeRows(csvWriter, rows);
  writeFile(folder.file("rows.CSV"), csv.str());
  XlsxFileWriter xlsxWriter(folder.file("rows.xlsx"));
  writeRows(xlsxWriter, rows);

  for (const char* name : {"rows.json", "rows.CSV", "rows.xlsx"}) {
    EXPECT_EQ(readRowFile(folder.file(name)), asTexts(rows)) << name;
  }
  // The writer guards exactly the cells that the reader takes the apostrophe off again.
  EXPECT_NE(csv.str().find("''=HYPERLINK(1),''abc,'=1+1,','-5,'@a,'''+x,'quoted,'\tx,''\r\n"),
            std::string::npos)
      << csv.str();
}

TEST(RowFileReader, TheFormulaGuardComesOffOnlyWhereTheWriterPutsIt) {
  for (const char* cell : {"=x", "+1", "-1", "@x", "\tx", "\rx", "'=x", "''-x"}) {
    EXPECT_TRUE(needsFormulaGuard(cell)) << cell;
    EXPECT_EQ(withoutFormulaGuard(std::string("'") + cell), cell);
  }
  for (const char* cell : {"", "'", "''", "x=", "'x", "''x", " =x"}) {
    EXPECT_FALSE(needsFormulaGuard(cell)) << cell;
    EXPECT_EQ(withoutFormulaGuard(cell), cell);
  }
}

// A workbook saved by a spreadsheet program: shared texts, a rich text, a number, cells
// without a reference, an empty styled cell past column J.
TEST(RowFileReader, AWorkbookThatASpreadsheetProgramSavedReadsToo) {
  TempFolder folder;
  const std::string path = folder.file("saved.xlsx");
  int status = 0;
  const std::string out = runPython(R"PY(
import sys, openpyxl
book = openpyxl.Workbook()
sheet = book.active
sheet.append(['Bar Pepe', 'Bares', None, '912 000 000', 'Calle _x0041_', None, 'Madrid'])
sheet['A3'] = 'Zoe'
sheet['D3'] = 28001
sheet['K3'].font = openpyxl.styles.Font(bold=True)
book.save(sys.argv[1])
)PY",
                                    path, &status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(readRowFile(path),
            (std::vector<RowTexts>{
                {"Bar Pepe", "Bares", "", "912 000 000", "Calle A", "", "Madrid", "", "", ""},
                {},
                {"Zoe", "", "", "28001", "", "", "", "", "", ""}}));
}

TEST(RowFileReader, AFileThatIsNotTenColumnRowsIsRefusedByName) {
  TempFolder folder;
  const auto refused = [&](const std::string& name, const std::string& bytes) {
    writeFile(folder.file(name), bytes);
    return refusal(folder.file(name));
  };
  const std::string ten = "[\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",\"h\",\"i\",\"j\"]";
  EXPECT_EQ(refused("a.json", "[" + ten + ",[\"a\"]]"),
            folder.file("a.json") +
                " is not a file of ten-column rows: row 2 is not an array of "
                "ten texts");
  EXPECT_EQ(
      refused("b.json", "{\"rows\": []}"),
      folder.file("b.json") + " is not a file of ten-column rows: it is no JSON array of rows");
  EXPECT_EQ(refused("c.json", "[" + ten).substr(0, folder.file("c.json").size() + 55),
            folder.file("c.json") + " is not a file of ten-column rows: it is no JSON text (");
  EXPECT_EQ(
      refused("d.csv", "a,b,c,d,e,f,g,h,i,j\r\n\"x\r\ny\",2,3\r\n"),
      folder.file("d.csv") + " is not a file of ten-column rows: line 2 has 3 fields, not ten");
  EXPECT_EQ(refused("e.csv", "a,b,\"c\r\n"),
            folder.file("e.csv") +
                " is not a file of ten-column rows: line 1 opens a quoted field that it never "
                "closes");
  EXPECT_EQ(refused("f.csv", "a,\"b\"c,d\r\n"),
            folder.file("f.csv") +
                " is not a file of ten-column rows: line 1 has text after the closing quote of a "
                "field");
  EXPECT_EQ(refused("g.xlsx", "name,phone\n"),
            folder.file("g.xlsx") +
                " is not a file of ten-column rows: it is no .xlsx workbook (no archive index)");
  EXPECT_EQ(refused("h.xls", "x"), folder.file("h.xls") +
                                       " is not a .json, .csv or .xlsx file of "
                                       "Quillon's");
  EXPECT_EQ(refusal(folder.file("missing.csv")),
            "cannot read " + folder.file("missing.csv") + ": No such file or directory");

  const std::string wide = folder.file("wide.xlsx");
  int status = 0;
  runPython(
      "import sys, openpyxl\nbook = openpyxl.Workbook()\nbook.active['K2'] = 'x'\n"
      "book.save(sys.argv[1])\n",
      wide, &status);
  ASSERT_EQ(status, 0);
  EXPECT_EQ(
      refusal(wide),
      wide + " is not a file of ten-column rows: row 2 has a cell past the ten columns A to J");

  // Sheets that no spreadsheet program writes: a cell outside any row, a row past the last.
  for (const std::string cells :
       {"<c r='A1' t='inlineStr'><is><t>x</t></is></c>",
        "<row r='1048577'><c r='A1048577' t='inlineStr'><is><t>x</t></is></c></row>"}) {
    const std::string crafted = folder.file("crafted.xlsx");
    runPython(
        "import sys, zipfile\nwith zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
        "    z.writestr('xl/worksheets/sheet1.xml', \"<worksheet><sheetData>" +
            cells + "</sheetData></worksheet>\")\n",
        crafted, &status);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(refusal(crafted), crafted +
                                    " is not a file of ten-column rows: a cell lies outside "
                                    "the rows 1 to 1,048,576 of a sheet");
  }
}

TEST(TableMerge, TheFirstRowOfATelephoneAndNameIsKept) {
  ResultsTable table(NameCollator("en_US"));
  const std::vector<RowTexts> first = {{"Bravo", "first", "", "911"}, {"Alpha", "", "", ""}};
  const std::vector<RowTexts> second = {
      {"Bravo", "second", "", "911"}, {"Alpha", "", "", ""}, {"Bravo", "", "", "912"}};
  EXPECT_EQ(mergeRows(table, first), 2);
  // Rows without a telephone are never duplicates, as in a capture.
  EXPECT_EQ(mergeRows(table, second), 2);
  ASSERT_EQ(table.Count(), 4);
  EXPECT_EQ(table.Cell(2, 1), "first");
  EXPECT_EQ(table.Cell(3, 3), "912");
}

}  // namespace
}  // namespace quillon::results
