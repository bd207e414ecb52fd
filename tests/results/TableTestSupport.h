#pragma once

#include "results/ResultsTable.h"
#include "results/TableObserver.h"

#include <string>
#include <vector>

namespace quillon::results::testing {

// A table with the Spanish collation, whatever the machine's locale.
inline ResultsTable spanishTable() { return ResultsTable(NameCollator("es_ES")); }

// Eight sub-items with the telephone in column 3.
inline std::vector<std::string> subItemsWithPhone(const std::string& phone) {
  return {"activity", "", phone, "street", "28001", "Madrid", "Madrid", "web"};
}

// Every name of the table, in its order.
inline std::vector<std::string> names(const ResultsTable& table) {
  std::vector<std::string> result;
  for (int row = 0; row < table.Count(); ++row) result.push_back(table.Cell(row, 0));
  return result;
}

// Writes every notification as a line of text.
class RecordingObserver final : public TableObserver {
 public:
  std::vector<std::string> events;

  void rowsAboutToBeInserted(int first, int last) override { add("insert?", first, last); }
  void rowsInserted(int first, int last) override { add("insert", first, last); }
  void rowsAboutToBeRemoved(int first, int last) override { add("remove?", first, last); }
  void rowsRemoved(int first, int last) override { add("remove", first, last); }
  void rowAboutToBeMoved(int from, int to) override { add("move?", from, to); }
  void rowMoved(int from, int to) override { add("move", from, to); }
  void orderAboutToChange() override { events.push_back("order?"); }
  void orderChanged() override { events.push_back("order"); }
  void cellChanged(int row, int column) override { add("cell", row, column); }
  void captionsChanged() override { events.push_back("captions"); }

 private:
  void add(const char* what, int a, int b) {
    events.push_back(std::string(what) + " " + std::to_string(a) + " " + std::to_string(b));
  }
};

}  // namespace quillon::results::testing
