#include "ExportTestSupport.h"
#include "results/CsvWriter.h"

#include <gtest/gtest.h>
#include <sstream>

namespace quillon::results {
namespace {

using namespace testing;

std::string csvOf(const Rows& rows) {
  std::ostringstream out;
  CsvWriter writer(out);
  writeRows(writer, rows);
  return out.str();
}

TEST(CsvWriterTest, WritesBomQuotingAndCrLf) {
  const Rows rows = {{"a", "b,c", "say \"hi\"", "x\r\ny", " 007", "+34", "", "", "", "ñ"}};
  EXPECT_EQ(csvOf(rows),
            "\xEF\xBB\xBF"
            "a,\"b,c\",\"say \"\"hi\"\"\",\"x\r\ny\", 007,'+34,,,,\xC3\xB1\r\n");
}

TEST(CsvWriterTest, AnEmptyTableIsJustTheBom) { EXPECT_EQ(csvOf({}), "\xEF\xBB\xBF"); }

TEST(CsvWriterTest, PythonsCsvModuleReadsEveryCellBack) {
  TempFolder folder;
  const std::string path = folder.file("rows.csv");
  writeFile(path, csvOf(awkwardRows()));
  EXPECT_EQ(runPython(kCsvReader, path), expectedReading(csvCells(awkwardRows()), false));
}

TEST(CsvWriterTest, CellsThatStartLikeAFormulaAreReadBackAsText) {
  const Rows rows = {{"=HYPERLINK(\"http://evil.example/\",\"Bar\")", "+34 91", "-1", "@SUM(A1)",
                      "\tTab", "\rreturn", "a=b", "'quoted", "", " =spaced"}};
  EXPECT_EQ(csvOf(rows),
            "\xEF\xBB\xBF"
            "\"'=HYPERLINK(\"\"http://evil.example/\"\",\"\"Bar\"\")\",'+34 91,'-1,'@SUM(A1),"
            "'\tTab,\"'\rreturn\",a=b,'quoted,, =spaced\r\n");
  TempFolder folder;
  const std::string path = folder.file("formulas.csv");
  writeFile(path, csvOf(rows));
  const Rows read = {{"'=HYPERLINK(\"http://evil.example/\",\"Bar\")", "'+34 91", "'-1",
                      "'@SUM(A1)", "'\tTab", "'\rreturn", "a=b", "'quoted", "", " =spaced"}};
  EXPECT_EQ(runPython(kCsvReader, path), expectedReading(read, false));
}

}  // namespace
}  // namespace quillon::results
