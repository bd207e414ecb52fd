#include "ExportTestSupport.h"
#include "results/ResultsError.h"
#include "results/XlsWriter.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace quillon::results {
namespace {

using namespace testing;

std::string xlsOf(const Rows& rows) {
  std::ostringstream out;
  XlsWriter writer(out);
  writeRows(writer, rows);
  return out.str();
}

// Writes the rows and reads them back with xlrd.
void expectXlrdReadsBack(const Rows& rows) {
  TempFolder folder;
  const std::string path = folder.file("rows.xls");
  writeFile(path, xlsOf(rows));
  EXPECT_EQ(runPython(kXlsReader, path), expectedReading(rows, true));
}

TEST(XlsWriterTest, IsACompoundFileOfWholeSectors) {
  const std::string file = xlsOf(awkwardRows());
  ASSERT_GE(file.size(), 1536u);
  EXPECT_EQ(file.substr(0, 8), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
  EXPECT_EQ(file.size() % 512, 0u);
}

TEST(XlsWriterTest, XlrdReadsEveryCellBackAsText) { expectXlrdReadsBack(awkwardRows()); }

TEST(XlsWriterTest, XlrdReadsAnEmptyTable) { expectXlrdReadsBack({}); }

TEST(XlsWriterTest, XlrdReadsAOneRowTableFromTheMiniStream) {
  expectXlrdReadsBack({{"Bar Pepe", "", "", "912 345 678", "", "", "", "", "", ""}});
}

TEST(XlsWriterTest, SharedStringsContinueAcrossRecords) {
  // Long strings of one-byte and two-byte characters that cross record boundaries, and
  // many short ones whose headers fall at every offset.
  std::mt19937 random(11);
  Rows rows;
  std::string euros;
  for (int i = 0; i < 20000; ++i) euros += "€";
  rows.push_back({std::string(9000, 'a'), euros, std::string(8221, 'b'), std::string(32767, 'z'),
                  "", "", "", "", "", ""});
  for (int r = 0; r < 400; ++r) {
    std::array<std::string, kColumnCount> row;
    for (auto& cell : row) {
      const std::size_t length = random() % 40;
      for (std::size_t i = 0; i < length; ++i) {
        if (random() % 9 == 0) {
          cell += "œ";
        } else {
          cell += static_cast<char>('a' + random() % 26);
        }
      }
    }
    rows.push_back(row);
  }
  expectXlrdReadsBack(rows);
}

TEST(XlsWriterTest, LargeWorkbooksGetDifatSectors) {
  // About 8 MB: more allocation-table sectors than the header can list.
  Rows rows;
  for (int r = 0; r < 2000; ++r) {
    std::array<std::string, kColumnCount> row;
    for (int c = 0; c < kColumnCount; ++c) {
      row[c] = std::to_string(r) + "/" + std::to_string(c) +
               std::string(400, static_cast<char>('a' + c));
    }
    rows.push_back(row);
  }
  const std::string file = xlsOf(rows);
  EXPECT_GT(file.size(), 109u * 128 * 512);
  expectXlrdReadsBack(rows);
}

TEST(XlsWriterTest, HoldsExactly65536Rows) {
  Rows rows(XlsWriter::kMaxRows, {"n", "", "", "1", "", "", "", "", "", ""});
  rows.back()[0] = "last";
  expectXlrdReadsBack(rows);
}

TEST(XlsWriterTest, MoreRowsAreAnErrorThatSuggestsXlsx) {
  std::ostringstream out;
  XlsWriter writer(out);
  try {
    writer.begin(XlsWriter::kMaxRows + 1);
    FAIL() << "no error";
  } catch (const ExportError& error) {
    EXPECT_NE(std::string(error.what()).find("65,536"), std::string::npos);
    EXPECT_NE(std::string(error.what()).find(".xlsx"), std::string::npos);
  }
  EXPECT_TRUE(out.str().empty());
}

TEST(XlsWriterTest, ACellLongerThanExcelTakesIsAnError) {
  std::ostringstream out;
  XlsWriter writer(out);
  writer.begin(1);
  RowCells cells{};
  const std::string huge(32768, 'x');
  cells[0] = huge;
  EXPECT_THROW(writer.writeRow(cells), ExportError);
}

}  // namespace
}  // namespace quillon::results
