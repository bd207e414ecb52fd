// The operation-level notifications: each changing call is told once, after the change
// and after the item-model notifications; calls that change nothing are not told.

#include "TableTestSupport.h"
#include "results/ResultsTable.h"
#include "results/TableObserver.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::results {
namespace {

using testing::spanishTable;
using testing::subItemsWithPhone;
using Lines = std::vector<std::string>;

// The parts of a line joined by appending (GCC 12 at -O3 warns falsely on literal + string).
std::string line(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (const std::string_view part : parts) out.append(part);
  return out;
}

// Writes each operation with what the table shows of it at the moment it is told.
class OperationLog final : public TableObserver {
 public:
  explicit OperationLog(const ResultsTable& table) : m_table(table) {}
  Lines lines;

  void rowsInserted(int first, int) override {
    lines.push_back(line({"inserted ", std::to_string(first)}));
  }
  void rowAdded(RowHandle row) override {
    lines.push_back(
        line({"added ", m_table.Cell(row, 0), " at ", std::to_string(m_table.IndexOf(row)),
              " with ", std::to_string(m_table.SubItems(row).size())}));
  }
  void subItemAppended(RowHandle row) override {
    lines.push_back(
        line({"appended ", m_table.SubItems(row).back(), " to ", m_table.Cell(row, 0)}));
  }
  void cellSet(RowHandle row, int column) override {
    lines.push_back(
        line({"set ", std::to_string(column), " of row at ", std::to_string(m_table.IndexOf(row)),
              " to ", m_table.Cell(row, column)}));
  }
  void rowsDeleted(const std::vector<RowHandle>& rows) override {
    std::string text = "deleted";
    for (const RowHandle row : rows) {
      text.append(" ").append(std::to_string(row.slot));
      if (m_table.Contains(row)) text.append("(alive)");
    }
    lines.push_back(text);
  }
  void sortedByColumn(int column) override {
    lines.push_back(
        line({"sorted ", std::to_string(column), m_table.SortAscending() ? " up" : " down"}));
  }
  void captionsApplied(CaptionSet set) override {
    lines.push_back(
        line({"captions ", std::to_string(static_cast<int>(set)), " ", m_table.Caption(0)}));
  }

 private:
  const ResultsTable& m_table;
};

class TableOperationsTest : public ::testing::Test {
 protected:
  ResultsTable table = spanishTable();
  OperationLog log{table};
  void SetUp() override { table.AddObserver(log); }
  void TearDown() override { table.RemoveObserver(log); }
};

TEST_F(TableOperationsTest, AddRowIsToldAfterTheRowIsInItsPlace) {
  table.AddRow("Zeta", subItemsWithPhone("1"));
  table.AddRow("Alfa", {});
  table.AddRow("", {"x"});
  EXPECT_EQ(log.lines, (Lines{"inserted 0", "added Zeta at 0 with 8", "inserted 0",
                              "added Alfa at 0 with 0", "inserted 2", "added  at 2 with 1"}));
}

TEST_F(TableOperationsTest, AppendSubItemIsToldAlsoPastTheLastColumn) {
  const RowHandle row = table.AddRow("Bar", std::vector<std::string>(9, "c"));
  log.lines.clear();
  table.AppendSubItem(row, "beyond");
  table.DeleteSelectedRows({0});
  log.lines.clear();
  table.AppendSubItem(row, "to a deleted row");
  EXPECT_EQ(log.lines, Lines{});
  const RowHandle other = table.AddRow("Café", {});
  log.lines.clear();
  table.AppendSubItem(other, "mail");
  EXPECT_EQ(log.lines, Lines{"appended mail to Café"});
}

TEST_F(TableOperationsTest, SetCellIsToldOnlyForAChangeAndAfterTheRowMoved) {
  table.AddRow("Alfa", subItemsWithPhone("1"));
  table.AddRow("Beta", subItemsWithPhone("2"));
  log.lines.clear();
  table.SetCell(0, 0, "Zulu");     // moves to the end
  table.SetCell(1, 0, "Zulu");     // the same text: nothing
  table.SetCell(0, 9, "web");      // past the sub-items: they grow
  table.SetCell(0, 3, "2");        // the same text
  table.SetCell(5, 1, "nowhere");  // out of range
  table.SetCell(0, 10, "nowhere");
  EXPECT_EQ(log.lines, (Lines{"set 0 of row at 1 to Zulu", "set 9 of row at 0 to web"}));
}

TEST_F(TableOperationsTest, DeleteSelectedRowsTellsTheGoneRowsInTheirOrder) {
  std::vector<RowHandle> rows;
  for (const char* name : {"a", "b", "c", "d", "e"}) rows.push_back(table.AddRow(name, {}));
  log.lines.clear();
  table.DeleteSelectedRows({4, 1, 3, 1, 9, -1});
  const auto slot = [&](int i) { return std::to_string(rows[static_cast<std::size_t>(i)].slot); };
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], line({"deleted ", slot(1), " ", slot(3), " ", slot(4)}));
  log.lines.clear();
  table.DeleteSelectedRows({7});
  EXPECT_EQ(log.lines, Lines{});
}

TEST_F(TableOperationsTest, SortsAndCaptionSetsAreToldWithTheirResult) {
  table.SortByColumn(3);
  table.SortByColumn(3);
  table.SortByColumn(12);
  table.TransEspanian();
  table.TransEspanian();
  table.TransCanadian();
  EXPECT_EQ(log.lines, (Lines{"sorted 3 up", "sorted 3 down", "captions 0 Persona/Empresa",
                              "captions 0 Persona/Empresa", "captions 2 Person/Company"}));
}

}  // namespace
}  // namespace quillon::results
