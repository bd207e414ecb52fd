#pragma once

#include "journal/TableOp.h"
#include "results/RowHandle.h"
#include "results/TableObserver.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace quillon::results {
class ResultsTable;
}

namespace quillon::journal {

// Turns the calls that change a table into TableOps, and TableOps back into the same
// calls. Rows get their journal row numbers in the order they are added, so that
// repeating the operations on an empty table numbers them alike.
class TableRecorder final : public results::TableObserver {
 public:
  using Sink = std::function<void(TableOp)>;

  // Every operation heard goes to the sink, in the order of the calls.
  explicit TableRecorder(Sink sink) : m_sink(std::move(sink)) {}
  TableRecorder(const TableRecorder&) = delete;
  TableRecorder& operator=(const TableRecorder&) = delete;
  ~TableRecorder() override { detach(); }

  // Starts hearing an empty table (rows numbered from 0); detach() stops.
  void attach(results::ResultsTable& table);
  void detach();
  bool attached() const { return m_table != nullptr; }

  // Repeats one operation on the attached table without passing it to the sink. The
  // operations must be those of firstMalformedOp's check, in their order.
  void replay(const TableOp& op);

  void rowAdded(results::RowHandle row) override;
  void subItemAppended(results::RowHandle row) override;
  void cellSet(results::RowHandle row, int column) override;
  void rowsDeleted(const std::vector<results::RowHandle>& rows) override;
  void sortedByColumn(int column) override;
  void captionsApplied(results::CaptionSet set) override;

 private:
  std::optional<std::uint32_t> numberOf(results::RowHandle row) const;
  results::RowHandle handleOf(std::int64_t number) const;
  void recordOp(TableOp op);

  Sink m_sink;
  results::ResultsTable* m_table = nullptr;
  bool m_replaying = false;
  // By slot: the generation of the row in it and its number.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> m_numberBySlot;
  std::vector<results::RowHandle> m_handleByNumber;
  // A run sets the captions on every page; only a change is worth a line.
  results::CaptionSet m_captions = results::CaptionSet::English;
};

}  // namespace quillon::journal
