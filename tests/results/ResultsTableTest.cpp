#include "TableTestSupport.h"
#include "results/ResultsTable.h"

#include <gtest/gtest.h>

namespace quillon::results {
namespace {

using testing::names;
using testing::RecordingObserver;
using testing::spanishTable;
using testing::subItemsWithPhone;
using Names = std::vector<std::string>;

TEST(ResultsTableTest, StartsEmptyWithEnglishCaptions) {
  ResultsTable table = spanishTable();
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.Caption(0), "Person/Company");
  EXPECT_EQ(table.Caption(7), "Email");
  EXPECT_EQ(table.Caption(9), "");
  EXPECT_EQ(table.SortColumn(), -1);
  EXPECT_TRUE(table.SortAscending());
}

TEST(ResultsTableTest, CaptionSetsRelabelColumnsZeroToEightOnly) {
  ResultsTable table = spanishTable();
  table.AddRow("Bar Pepe", subItemsWithPhone("1"));
  table.TransEspanian();
  EXPECT_EQ(table.Caption(0), "Persona/Empresa");
  EXPECT_EQ(table.Caption(3), "Teléfono");
  EXPECT_EQ(table.Caption(5), "Código");
  EXPECT_EQ(table.Caption(9), "");
  table.TransItalian();
  EXPECT_EQ(table.Caption(4), "Indirizzo ");
  EXPECT_EQ(table.Caption(1), "Attività");
  EXPECT_EQ(table.Caption(9), "");
  table.TransCanadian();
  EXPECT_EQ(table.Caption(5), "Zip Code");
  EXPECT_EQ(table.Cell(0, 0), "Bar Pepe");
}

TEST(ResultsTableTest, CellsReadNameThenSubItemsThenEmptyText) {
  ResultsTable table = spanishTable();
  const RowHandle row = table.AddRow("Bar Pepe", {"one", "two"});
  EXPECT_EQ(table.Cell(0, 0), "Bar Pepe");
  EXPECT_EQ(table.Cell(0, 1), "one");
  EXPECT_EQ(table.Cell(0, 2), "two");
  EXPECT_EQ(table.Cell(0, 3), "");
  EXPECT_EQ(table.Cell(0, 9), "");
  EXPECT_EQ(table.Cell(0, 10), "");
  EXPECT_EQ(table.Cell(1, 0), "");
  EXPECT_EQ(table.Cell(-1, 0), "");
  EXPECT_EQ(table.SubItemCount(row), 2);
}

TEST(ResultsTableTest, KeepsRowsInOrderByName) {
  ResultsTable table = spanishTable();
  for (const char* name : {"Zapatería", "bar", "Águila", "Bar", "Ñu", "Nube", "Oca"}) {
    table.AddRow(name, subItemsWithPhone(name));
  }
  EXPECT_EQ(names(table), (Names{"Águila", "bar", "Bar", "Nube", "Ñu", "Oca", "Zapatería"}));
}

TEST(ResultsTableTest, EqualNamesKeepTheOrderOfAddition) {
  ResultsTable table = spanishTable();
  table.AddRow("Same", subItemsWithPhone("1"));
  table.AddRow("Other", subItemsWithPhone("2"));
  table.AddRow("Same", subItemsWithPhone("3"));
  table.AddRow("Same", subItemsWithPhone("4"));
  EXPECT_EQ(table.Cell(1, 3), "1");
  EXPECT_EQ(table.Cell(2, 3), "3");
  EXPECT_EQ(table.Cell(3, 3), "4");
}

TEST(ResultsTableTest, AnEmptyNameStaysAtTheEndUntilTheNextNameIsSet) {
  ResultsTable table = spanishTable();
  table.AddRow("b", {});
  table.AddRow("", {});
  EXPECT_EQ(names(table), (Names{"b", ""}));
  table.AddRow("a", {});
  EXPECT_EQ(names(table), (Names{"", "a", "b"}));
}

TEST(ResultsTableTest, DuplicateRuleComparesPhoneAndNameExactly) {
  ResultsTable table = spanishTable();
  table.AddRow("Bar Pepe", subItemsWithPhone("912 345 678"));
  EXPECT_TRUE(table.IsAlreadyIn("912 345 678", "Bar Pepe"));
  EXPECT_FALSE(table.IsAlreadyIn("912 345 678", "bar pepe"));
  EXPECT_FALSE(table.IsAlreadyIn("912 345 678", "Bar Pepe "));
  EXPECT_FALSE(table.IsAlreadyIn("912345678", "Bar Pepe"));
  EXPECT_FALSE(table.IsAlreadyIn("912 345 678", ""));
}

TEST(ResultsTableTest, AnEmptyPhoneIsNeverADuplicate) {
  ResultsTable table = spanishTable();
  table.AddRow("Bar Pepe", subItemsWithPhone(""));
  table.AddRow("Solo", {"activity"});
  EXPECT_FALSE(table.IsAlreadyIn("", "Bar Pepe"));
  EXPECT_FALSE(table.IsAlreadyIn("", "Solo"));
}

TEST(ResultsTableTest, DuplicateRuleFollowsEditsAndDeletions) {
  ResultsTable table = spanishTable();
  table.AddRow("Bar Pepe", subItemsWithPhone("1"));
  table.AddRow("Bar Pepe", subItemsWithPhone("1"));
  table.SetCell(0, 3, "2");
  EXPECT_TRUE(table.IsAlreadyIn("1", "Bar Pepe"));  // the second row still has it
  EXPECT_TRUE(table.IsAlreadyIn("2", "Bar Pepe"));
  table.SetCell(1, 3, "3");
  EXPECT_FALSE(table.IsAlreadyIn("1", "Bar Pepe"));
  table.SetCell(0, 0, "Casa Pepe");
  EXPECT_FALSE(table.IsAlreadyIn("2", "Bar Pepe"));
  EXPECT_TRUE(table.IsAlreadyIn("2", "Casa Pepe"));
  table.DeleteSelectedRows({1});
  EXPECT_FALSE(table.IsAlreadyIn("2", "Casa Pepe"));
  EXPECT_TRUE(table.IsAlreadyIn("3", "Bar Pepe"));
}

TEST(ResultsTableTest, AppendedSubItemCanBecomeThePhone) {
  ResultsTable table = spanishTable();
  const RowHandle row = table.AddRow("Bar", {"a", "b"});
  EXPECT_FALSE(table.IsAlreadyIn("555", "Bar"));
  table.AppendSubItem(row, "555");
  EXPECT_TRUE(table.IsAlreadyIn("555", "Bar"));
}

TEST(ResultsTableTest, AppendSubItemFillsColumnNineAndNeverResorts) {
  ResultsTable table = spanishTable();
  const RowHandle row = table.AddRow("Pizzeria", subItemsWithPhone("1"));
  table.SortByColumn(3);
  table.AppendSubItem(row, "info@pizzeria.it");
  EXPECT_EQ(table.Cell(row, 9), "info@pizzeria.it");
  EXPECT_EQ(table.Cell(0, 9), "info@pizzeria.it");
  EXPECT_EQ(table.SubItemCount(row), 9);
  table.AppendSubItem(row, "");
  EXPECT_EQ(table.SubItemCount(row), 10);  // kept, though no column shows it
}

TEST(ResultsTableTest, HandlesStaySafeAfterDeletion) {
  ResultsTable table = spanishTable();
  const RowHandle gone = table.AddRow("Gone", subItemsWithPhone("1"));
  table.DeleteSelectedRows({0});
  EXPECT_FALSE(table.Contains(gone));
  EXPECT_EQ(table.IndexOf(gone), -1);
  table.AppendSubItem(gone, "late@example.com");
  EXPECT_EQ(table.Count(), 0);

  // The storage is reused for a new row; the old handle still reaches nothing.
  const RowHandle fresh = table.AddRow("Fresh", subItemsWithPhone("2"));
  EXPECT_EQ(fresh.slot, gone.slot);
  EXPECT_NE(fresh, gone);
  table.AppendSubItem(gone, "late@example.com");
  EXPECT_EQ(table.SubItemCount(fresh), 8);
  EXPECT_EQ(table.Cell(gone, 0), "");
  EXPECT_EQ(table.Cell(fresh, 0), "Fresh");
  EXPECT_FALSE(table.Contains(RowHandle{}));
}

TEST(ResultsTableTest, HandlesFollowTheirRowsThroughReordering) {
  ResultsTable table = spanishTable();
  const RowHandle c = table.AddRow("c", subItemsWithPhone("3"));
  const RowHandle a = table.AddRow("a", subItemsWithPhone("1"));
  EXPECT_EQ(table.IndexOf(c), 1);
  EXPECT_EQ(table.IndexOf(a), 0);
  table.SortByColumn(3);
  table.SortByColumn(3);  // descending
  EXPECT_EQ(table.IndexOf(c), 0);
  EXPECT_EQ(table.RowAt(1), a);
}

TEST(ResultsTableTest, SettingANameMovesTheRow) {
  ResultsTable table = spanishTable();
  table.AddRow("a", {});
  table.AddRow("b", {});
  table.AddRow("c", {});
  table.SetCell(0, 0, "d");
  EXPECT_EQ(names(table), (Names{"b", "c", "d"}));
  table.SetCell(2, 0, "");
  EXPECT_EQ(names(table), (Names{"", "b", "c"}));
}

TEST(ResultsTableTest, SettingOtherCellsDoesNotResort) {
  ResultsTable table = spanishTable();
  table.AddRow("a", {"x"});
  table.AddRow("b", {"y"});
  table.SetCell(0, 1, "zzz");
  table.SetCell(0, 6, "Toledo");
  EXPECT_EQ(names(table), (Names{"a", "b"}));
  EXPECT_EQ(table.Cell(0, 6), "Toledo");
  EXPECT_EQ(table.Cell(0, 5), "");
  table.SetCell(0, 12, "ignored");
  table.SetCell(7, 0, "ignored");
  EXPECT_EQ(table.Count(), 2);
}

TEST(ResultsTableTest, HeaderSortComparesBytesThenNamesIgnoringCase) {
  ResultsTable table = spanishTable();
  table.AddRow("beta", {"x", "", "2"});
  table.AddRow("Alpha", {"x", "", "10"});
  table.AddRow("alpha", {"x", "", "2"});
  table.AddRow("Gamma", {"X", "", "1"});
  table.SortByColumn(3);
  EXPECT_EQ(names(table), (Names{"Gamma", "Alpha", "alpha", "beta"}));
  EXPECT_EQ(table.SortColumn(), 3);
  EXPECT_TRUE(table.SortAscending());
  table.SortByColumn(3);
  EXPECT_FALSE(table.SortAscending());
  EXPECT_EQ(names(table), (Names{"beta", "alpha", "Alpha", "Gamma"}));
  // Another column keeps the direction.
  table.SortByColumn(1);
  EXPECT_FALSE(table.SortAscending());
  // Names equal but for case tie, and ties keep the order of addition.
  EXPECT_EQ(names(table), (Names{"beta", "Alpha", "alpha", "Gamma"}));
  table.SortByColumn(0);
  EXPECT_EQ(names(table), (Names{"beta", "alpha", "Gamma", "Alpha"}));
  table.SortByColumn(0);
  EXPECT_EQ(names(table), (Names{"Alpha", "Gamma", "alpha", "beta"}));
  table.SortByColumn(10);
  EXPECT_EQ(table.SortColumn(), 0);
}

// Texts that came from cp1252 keep that code page's byte order (the euro sign, byte 0x80,
// before é, 0xE9, though its code point is higher); characters outside it come after.
TEST(ResultsTableTest, HeaderSortKeepsTheCp1252OrderAndPutsOtherCharactersAfterIt) {
  ResultsTable table = spanishTable();
  table.AddRow("greek", {"Ωμέγα"});
  table.AddRow("e", {"é"});
  table.AddRow("euro", {"€"});
  table.AddRow("polish", {"Ł"});
  table.AddRow("ascii", {"z"});
  table.SortByColumn(1);
  EXPECT_EQ(names(table), (Names{"ascii", "euro", "e", "polish", "greek"}));
}

TEST(ResultsTableTest, NextNameAfterAHeaderSortRestoresTheOrderByName) {
  ResultsTable table = spanishTable();
  table.AddRow("b", subItemsWithPhone("1"));
  table.AddRow("a", subItemsWithPhone("3"));
  table.AddRow("c", subItemsWithPhone("2"));
  table.SortByColumn(3);
  EXPECT_EQ(names(table), (Names{"b", "c", "a"}));
  table.SetCell(0, 2, "edit");  // not a name: the header order stays
  EXPECT_EQ(names(table), (Names{"b", "c", "a"}));
  table.AddRow("d", subItemsWithPhone("0"));
  EXPECT_EQ(names(table), (Names{"a", "b", "c", "d"}));
  EXPECT_EQ(table.SortColumn(), 3);  // the arrow stays where it was
  table.AddRow("bb", subItemsWithPhone("4"));
  EXPECT_EQ(names(table), (Names{"a", "b", "bb", "c", "d"}));

  table.SortByColumn(3);  // the same column again: descending
  EXPECT_EQ(names(table), (Names{"bb", "a", "c", "b", "d"}));
  table.SetCell(0, 0, "e");
  EXPECT_EQ(names(table), (Names{"a", "b", "c", "d", "e"}));
}

TEST(ResultsTableTest, DeletesOnlySelectedRows) {
  ResultsTable table = spanishTable();
  for (const char* name : {"a", "b", "c", "d", "e", "f"}) table.AddRow(name, {});
  table.DeleteSelectedRows({4, 1, 2, 2, -1, 6});  // any order; repeats and strays ignored
  EXPECT_EQ(names(table), (Names{"a", "d", "f"}));
  table.DeleteSelectedRows({});  // nothing selected: nothing removed
  EXPECT_EQ(table.Count(), 3);
  table.DeleteSelectedRows({0, 1, 2});
  EXPECT_EQ(table.Count(), 0);
}

TEST(ResultsTableTest, TellsItsObserverBeforeAndAfterEveryChange) {
  ResultsTable table = spanishTable();
  RecordingObserver observer;
  table.AddObserver(observer);
  table.AddRow("b", {});
  table.AddRow("a", {});
  table.AddRow("", {});
  table.SetCell(0, 0, "c");  // the empty name at the end broke the order: a full sort
  EXPECT_EQ(observer.events, (Names{"insert? 0 0", "insert 0 0", "insert? 0 0", "insert 0 0",
                                    "insert? 2 2", "insert 2 2", "cell 0 0", "order?", "order"}));
  EXPECT_EQ(names(table), (Names{"", "b", "c"}));

  observer.events.clear();
  table.SetCell(0, 0, "d");
  table.SetCell(0, 0, "bb");  // stays where it is
  table.SetCell(1, 4, "street");
  table.SetCell(1, 4, "street");  // unchanged: no notification
  EXPECT_EQ(observer.events, (Names{"cell 0 0", "move? 0 2", "move 0 2", "cell 0 0", "cell 1 4"}));

  observer.events.clear();
  table.DeleteSelectedRows({0, 2});
  table.SortByColumn(0);
  table.TransItalian();
  EXPECT_EQ(observer.events, (Names{"remove? 2 2", "remove 2 2", "remove? 0 0", "remove 0 0",
                                    "order?", "order", "captions"}));
  table.RemoveObserver(observer);
  table.AddRow("x", {});
  EXPECT_EQ(observer.events.size(), 7u);
}

TEST(ResultsTableTest, AppendSubItemTellsTheCellThatChanged) {
  ResultsTable table = spanishTable();
  const RowHandle row = table.AddRow("a", subItemsWithPhone("1"));
  RecordingObserver observer;
  table.AddObserver(observer);
  table.AppendSubItem(row, "mail");
  table.AppendSubItem(row, "beyond");
  EXPECT_EQ(observer.events, (Names{"cell 0 9"}));
}

}  // namespace
}  // namespace quillon::results
