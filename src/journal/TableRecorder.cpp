#include "journal/TableRecorder.h"

#include "results/ResultsTable.h"

#include <stdexcept>
#include <string>

namespace quillon::journal {

using results::CaptionSet;
using results::ResultsTable;
using results::RowHandle;

void TableRecorder::attach(ResultsTable& table) {
  if (table.Count() != 0) throw std::logic_error("A journal starts with an empty table");
  detach();
  m_table = &table;
  m_numberBySlot.clear();
  m_handleByNumber.clear();
  m_captions = CaptionSet::English;
  table.AddObserver(*this);
  // An empty table may already have a header sort or a caption set, which an empty
  // table made on restore must get too.
  for (const CaptionSet set : {CaptionSet::Spanish, CaptionSet::Italian}) {
    if (table.Caption(0) == results::captionsOf(set)[0]) captionsApplied(set);
  }
  if (table.SortColumn() >= 0) {
    recordOp({OpKind::SortByColumn, 0, table.SortColumn(), {}});
    if (!table.SortAscending()) recordOp({OpKind::SortByColumn, 0, table.SortColumn(), {}});
  }
}

void TableRecorder::detach() {
  if (m_table != nullptr) m_table->RemoveObserver(*this);
  m_table = nullptr;
}

void TableRecorder::replay(const TableOp& op) {
  if (m_table == nullptr) return;
  m_replaying = true;
  struct Done {
    bool& replaying;
    ~Done() { replaying = false; }
  } done{m_replaying};
  ResultsTable& table = *m_table;
  switch (op.kind) {
    case OpKind::AddRow: {
      auto texts = unpackTexts(op.data);
      if (!texts || texts->empty()) return;
      std::string name = std::move(texts->front());
      texts->erase(texts->begin());
      table.AddRow(std::move(name), std::move(*texts));
      break;
    }
    case OpKind::AppendSubItem:
      table.AppendSubItem(handleOf(op.row), op.data);
      break;
    case OpKind::SetCell:
      table.SetCell(table.IndexOf(handleOf(op.row)), static_cast<int>(op.argument), op.data);
      break;
    case OpKind::DeleteRows: {
      const auto numbers = unpackRowNumbers(op.data);
      if (!numbers) return;
      std::vector<int> rows;
      rows.reserve(numbers->size());
      for (const std::uint32_t number : *numbers) rows.push_back(table.IndexOf(handleOf(number)));
      table.DeleteSelectedRows(std::move(rows));
      break;
    }
    case OpKind::SortByColumn:
      table.SortByColumn(static_cast<int>(op.argument));
      break;
    case OpKind::SetCaptions:
      switch (captionSetOf(op.argument).value_or(CaptionSet::English)) {
        case CaptionSet::Spanish:
          table.TransEspanian();
          break;
        case CaptionSet::Italian:
          table.TransItalian();
          break;
        case CaptionSet::English:
          table.TransCanadian();
          break;
      }
      break;
  }
}

std::optional<std::uint32_t> TableRecorder::numberOf(RowHandle row) const {
  if (row.slot >= m_numberBySlot.size()) return std::nullopt;
  const auto& [generation, numberPlusOne] = m_numberBySlot[row.slot];
  if (numberPlusOne == 0 || generation != row.generation) return std::nullopt;
  return numberPlusOne - 1;
}

RowHandle TableRecorder::handleOf(std::int64_t number) const {
  if (number < 0 || static_cast<std::size_t>(number) >= m_handleByNumber.size()) return {};
  return m_handleByNumber[static_cast<std::size_t>(number)];
}

void TableRecorder::recordOp(TableOp op) {
  if (!m_replaying) m_sink(std::move(op));
}

void TableRecorder::rowAdded(RowHandle row) {
  const auto number = static_cast<std::uint32_t>(m_handleByNumber.size());
  m_handleByNumber.push_back(row);
  if (row.slot >= m_numberBySlot.size()) m_numberBySlot.resize(row.slot + 1);
  m_numberBySlot[row.slot] = {row.generation, number + 1};
  if (m_replaying) return;
  recordOp({OpKind::AddRow, number, 0, packTexts(m_table->Cell(row, 0), m_table->SubItems(row))});
}

void TableRecorder::subItemAppended(RowHandle row) {
  const auto number = numberOf(row);
  const std::vector<std::string>& subItems = m_table->SubItems(row);
  if (number && !subItems.empty()) recordOp({OpKind::AppendSubItem, *number, 0, subItems.back()});
}

void TableRecorder::cellSet(RowHandle row, int column) {
  if (const auto number = numberOf(row)) {
    recordOp({OpKind::SetCell, *number, column, m_table->Cell(row, column)});
  }
}

void TableRecorder::rowsDeleted(const std::vector<RowHandle>& rows) {
  std::vector<std::uint32_t> numbers;
  numbers.reserve(rows.size());
  for (const RowHandle row : rows) {
    if (const auto number = numberOf(row)) numbers.push_back(*number);
  }
  if (numbers.empty()) return;
  const auto count = static_cast<std::int64_t>(numbers.size());
  recordOp({OpKind::DeleteRows, count, 0, packRowNumbers(numbers)});
}

void TableRecorder::sortedByColumn(int column) { recordOp({OpKind::SortByColumn, 0, column, {}}); }

void TableRecorder::captionsApplied(CaptionSet set) {
  if (set == m_captions) return;
  m_captions = set;
  recordOp({OpKind::SetCaptions, 0, captionCode(set), {}});
}

}  // namespace quillon::journal
