// The table against its literal model (support/ReferenceTable.h): random operations must
// give the same answers and the same order at every moment.

#include "TableTestSupport.h"
#include "results/ResultsTable.h"
#include "support/ReferenceTable.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace quillon::results {
namespace {

using quillon::testing::ReferenceTable;

void expectSameTable(const ResultsTable& table, const ReferenceTable& literal) {
  ASSERT_EQ(table.Count(), literal.count());
  for (int row = 0; row < table.Count(); ++row) {
    for (int column = 0; column < kColumnCount; ++column) {
      ASSERT_EQ(table.Cell(row, column), literal.cell(row, column)) << row << ", " << column;
    }
  }
}

TEST(ResultsTableReferenceTest, MatchesTheLiteralTableThroughRandomOperations) {
  const NameCollator collator("es_ES");
  ResultsTable table(NameCollator("es_ES"));
  ReferenceTable literal(collator);
  std::mt19937 random(2024);
  // Few distinct names and phones, so duplicates, equal names and case variants abound.
  const std::vector<std::string> namePool = {
      "",     "Bar",  "bar",  "Bar ", "Águila", "Aguila",
      "Nube", "Ñu",   "Oca",  "oca",  "Zeta",   std::string("N\0ul", 4),
      "€uro", "éuro", "Łódź", "Lodz", "Ωμέγα",  "😀 Bar"};
  const std::vector<std::string> phonePool = {"", "1", "01", "912 345 678", "2"};
  const auto pick = [&](const std::vector<std::string>& pool) {
    return pool[random() % pool.size()];
  };
  std::vector<std::pair<RowHandle, std::size_t>> handles;  // with the model's sequence

  for (int step = 0; step < 3000; ++step) {
    const auto choice = random() % 100;
    if (choice < 45 || table.Count() == 0) {
      const std::string name = pick(namePool);
      const std::string phone = pick(phonePool);
      ASSERT_EQ(table.IsAlreadyIn(phone, name), literal.isAlreadyIn(phone, name));
      std::vector<std::string> subItems = {pick(namePool), "", phone};
      if (random() % 3 != 0) subItems.resize(8, "x");
      if (random() % 10 == 0) subItems.resize(random() % 3);
      handles.emplace_back(table.AddRow(name, subItems), literal.add(name, subItems));
    } else if (choice < 60) {
      const int row = static_cast<int>(random() % table.Count());
      const int column = static_cast<int>(random() % 4);
      const std::string text = column == 3 ? pick(phonePool) : pick(namePool);
      table.SetCell(row, column, text);
      literal.setCell(row, column, text);
    } else if (choice < 68) {
      const auto& [handle, sequence] = handles[random() % handles.size()];
      table.AppendSubItem(handle, "mail");
      if (auto* row = literal.find(sequence)) row->subItems.push_back("mail");
    } else if (choice < 74) {
      const int column = static_cast<int>(random() % kColumnCount);
      table.SortByColumn(column);
      literal.sortByColumn(column);
    } else if (choice < 78) {
      std::vector<int> selected;
      for (int i = 0; i < 3; ++i) selected.push_back(static_cast<int>(random() % table.Count()));
      table.DeleteSelectedRows(selected);
      literal.deleteRows(selected);
    } else {
      const std::string name = pick(namePool);
      const std::string phone = pick(phonePool);
      ASSERT_EQ(table.IsAlreadyIn(phone, name), literal.isAlreadyIn(phone, name)) << step;
    }
    expectSameTable(table, literal);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace quillon::results
