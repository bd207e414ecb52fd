#include "TableTestSupport.h"
#include "results/CountPanel.h"
#include "results/KeyHandling.h"
#include "results/RowSelection.h"

#include <gtest/gtest.h>

namespace quillon::results {
namespace {

class FakeCountPanel final : public CountPanel {
 public:
  std::string text = "untouched";
  int writes = 0;
  void setCountText(const std::string& value) override {
    text = value;
    ++writes;
  }
};

class FakeSelection final : public RowSelection {
 public:
  std::vector<int> rows;
  int selectAllCalls = 0;
  void selectAll() override { ++selectAllCalls; }
  std::vector<int> selectedRows() const override { return rows; }
};

class KeyHandlingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a", "b", "c"}) table.AddRow(name, testing::subItemsWithPhone(name));
  }
  ResultsTable table = testing::spanishTable();
  FakeCountPanel panel;
  FakeSelection selection;
};

TEST_F(KeyHandlingTest, CountTextIsSpanish) {
  EXPECT_EQ(keyCountText(12), "12 líneas capturadas");
  EXPECT_EQ(keyCountText(0), "0 líneas capturadas");
}

TEST_F(KeyHandlingTest, SelectAllSelectsAndLeavesTheCountPanel) {
  applyListKey(table, panel, selection, ListKeyCommand::SelectAll);
  EXPECT_EQ(selection.selectAllCalls, 1);
  EXPECT_EQ(table.Count(), 3);
  EXPECT_EQ(panel.writes, 0);
  EXPECT_EQ(panel.text, "untouched");
}

TEST_F(KeyHandlingTest, DeleteRemovesTheSelectionAndRewritesTheCount) {
  selection.rows = {0, 2};
  applyListKey(table, panel, selection, ListKeyCommand::DeleteSelected);
  EXPECT_EQ(testing::names(table), (std::vector<std::string>{"b"}));
  EXPECT_EQ(panel.text, "1 líneas capturadas");
}

TEST_F(KeyHandlingTest, DeleteWithNothingSelectedStillRewritesTheCount) {
  panel.text = "3 lines captured";
  applyListKey(table, panel, selection, ListKeyCommand::DeleteSelected);
  EXPECT_EQ(table.Count(), 3);
  EXPECT_EQ(panel.text, "3 líneas capturadas");
}

TEST_F(KeyHandlingTest, AnyOtherKeyOnlyRewritesTheCount) {
  panel.text = "3 lines captured";
  selection.rows = {0};
  applyListKey(table, panel, selection, ListKeyCommand::OtherKey);
  EXPECT_EQ(panel.text, "3 líneas capturadas");
  EXPECT_EQ(panel.writes, 1);
  EXPECT_EQ(table.Count(), 3);
  EXPECT_EQ(selection.selectAllCalls, 0);
}

}  // namespace
}  // namespace quillon::results
