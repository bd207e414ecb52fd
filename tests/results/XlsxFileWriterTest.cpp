#include "ExportTestSupport.h"
#include "results/ResultsError.h"
#include "results/XlsxFileWriter.h"

#include <gtest/gtest.h>

namespace quillon::results {
namespace {

using namespace testing;

TEST(XlsxFileWriterTest, OpenpyxlReadsEveryCellBackAsText) {
  TempFolder folder;
  const std::string path = folder.file("rows.xlsx");
  {
    XlsxFileWriter writer(path);
    writeRows(writer, awkwardRows());
  }
  EXPECT_EQ(readFile(path).substr(0, 2), "PK");
  EXPECT_EQ(runPython(kXlsxReader, path), expectedReading(awkwardRows(), true));
}

TEST(XlsxFileWriterTest, OpenpyxlReadsAnEmptyTable) {
  TempFolder folder;
  const std::string path = folder.file("empty.xlsx");
  {
    XlsxFileWriter writer(path);
    writeRows(writer, {});
  }
  EXPECT_EQ(runPython(kXlsxReader, path), "");
}

TEST(XlsxFileWriterTest, ACellLongerThanExcelTakesIsAnError) {
  TempFolder folder;
  XlsxFileWriter writer(folder.file("long.xlsx"));
  writer.begin(1);
  RowCells cells{};
  const std::string huge(32768, 'x');
  cells[3] = huge;
  EXPECT_THROW(writer.writeRow(cells), ExportError);
}

TEST(XlsxFileWriterTest, MoreRowsThanASheetHoldsIsAnError) {
  TempFolder folder;
  XlsxFileWriter writer(folder.file("big.xlsx"));
  EXPECT_THROW(writer.begin(XlsxFileWriter::kMaxRows + 1), ExportError);
}

}  // namespace
}  // namespace quillon::results
