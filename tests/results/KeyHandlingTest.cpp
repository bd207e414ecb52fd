#include "TableTestSupport.h"
#include "results/CountPanel.h"
#include "results/KeyHandling.h"

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

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kCtrl{false, false, true};
constexpr KeyModifiers kShift{true, false, false};
constexpr KeyModifiers kAlt{false, true, false};
constexpr KeyModifiers kCtrlShift{true, false, true};
constexpr KeyModifiers kCtrlAlt{false, true, true};
constexpr KeyModifiers kAll{true, true, true};
constexpr std::uint16_t kDown = 40;

class KeyHandlingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a", "b", "c"}) table.AddRow(name, testing::subItemsWithPhone(name));
  }
  ResultsTable table = testing::spanishTable();
  FakeCountPanel panel;
};

TEST_F(KeyHandlingTest, CountTextIsSpanishInCp1252) {
  EXPECT_EQ(keyCountText(12), "12 l\xEDneas capturadas");
  EXPECT_EQ(keyCountText(0), "0 l\xEDneas capturadas");
}

TEST_F(KeyHandlingTest, CtrlASelectsAllAndLeavesTheCountPanel) {
  lvKeyDown(table, panel, kKeyA, kCtrl);
  for (int row = 0; row < 3; ++row) EXPECT_TRUE(table.isSelected(row));
  EXPECT_EQ(panel.writes, 0);
  EXPECT_EQ(panel.text, "untouched");
}

TEST_F(KeyHandlingTest, CtrlAWithAnotherModifierOnlyRewritesTheCount) {
  for (const KeyModifiers modifiers : {kCtrlShift, kCtrlAlt, kAll, kNone, kShift}) {
    lvKeyDown(table, panel, kKeyA, modifiers);
  }
  for (int row = 0; row < 3; ++row) EXPECT_FALSE(table.isSelected(row));
  EXPECT_EQ(panel.writes, 5);
  EXPECT_EQ(panel.text, "3 l\xEDneas capturadas");
}

TEST_F(KeyHandlingTest, DeleteWithAnyModifiersRemovesTheSelection) {
  for (const KeyModifiers modifiers : {kNone, kShift, kCtrl, kAlt, kAll}) {
    table.setSelected(0, true);
    const int before = table.Count();
    lvKeyDown(table, panel, kKeyDelete, modifiers);
    EXPECT_EQ(table.Count(), std::max(before - 1, 0));
  }
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(panel.text, "0 l\xEDneas capturadas");
}

TEST_F(KeyHandlingTest, DeleteWithNothingSelectedStillRewritesTheCount) {
  panel.text = "3 lines captured";
  lvKeyDown(table, panel, kKeyDelete, kNone);
  EXPECT_EQ(table.Count(), 3);
  EXPECT_EQ(panel.text, "3 l\xEDneas capturadas");
}

TEST_F(KeyHandlingTest, AnyOtherKeyRewritesTheCount) {
  panel.text = "3 lines captured";
  lvKeyDown(table, panel, kDown, kNone);
  EXPECT_EQ(panel.text, "3 l\xEDneas capturadas");
  EXPECT_EQ(panel.writes, 1);
  EXPECT_FALSE(table.isSelected(0));
}

}  // namespace
}  // namespace quillon::results
