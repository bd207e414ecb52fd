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
  const Rows rows = {{"a", "b,c", "say \"hi\"", "x\r\ny", " 007", "+34", "", "", "", "\xF1"}};
  EXPECT_EQ(csvOf(rows),
            "\xEF\xBB\xBF"
            "a,\"b,c\",\"say \"\"hi\"\"\",\"x\r\ny\", 007,+34,,,,\xC3\xB1\r\n");
}

TEST(CsvWriterTest, AnEmptyTableIsJustTheBom) { EXPECT_EQ(csvOf({}), "\xEF\xBB\xBF"); }

TEST(CsvWriterTest, PythonsCsvModuleReadsEveryCellBack) {
  TempFolder folder;
  const std::string path = folder.file("rows.csv");
  writeFile(path, csvOf(awkwardRows()));
  EXPECT_EQ(runPython(kCsvReader, path), expectedReading(awkwardRows(), false));
}

}  // namespace
}  // namespace quillon::results
