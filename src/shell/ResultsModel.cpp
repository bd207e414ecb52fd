#include "shell/ResultsModel.h"

#include "results/ResultsTable.h"
#include "results/TableColumns.h"

namespace quillon::shell {
namespace {

QString wide(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

ResultsModel::ResultsModel(results::ResultsTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table) {
  m_sortColumn = m_table.SortColumn();
  m_sortAscending = m_table.SortAscending();
  m_table.AddObserver(*this);
}

ResultsModel::~ResultsModel() { m_table.RemoveObserver(*this); }

int ResultsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_table.Count();
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : results::kColumnCount;
}

QString ResultsModel::cellText(int row, int column) const {
  return wide(m_table.Cell(row, column));
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
    return {};
  }
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    return cellText(index.row(), index.column());
  }
  return {};
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= results::kColumnCount) {
    return {};
  }
  if (role == Qt::DisplayRole) return wide(m_table.Caption(section));
  if (role == Qt::InitialSortOrderRole) return Qt::AscendingOrder;
  return {};
}

Qt::ItemFlags ResultsModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

bool ResultsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole ||
      !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
    return false;
  }
  QString text = value.toString();
  // The cut never splits a character of two code units.
  if (text.size() > kMaxEditLength)
    text.truncate(kMaxEditLength - (text[kMaxEditLength - 1].isHighSurrogate() ? 1 : 0));
  // SetCell tells the model of the change (and of the move a new name causes).
  m_table.SetCell(index.row(), index.column(), text.toStdString());
  return true;
}

void ResultsModel::rowsAboutToBeInserted(int first, int last) { beginInsertRows({}, first, last); }

void ResultsModel::rowsInserted(int, int) { endInsertRows(); }

void ResultsModel::rowsAboutToBeRemoved(int first, int last) { beginRemoveRows({}, first, last); }

void ResultsModel::rowsRemoved(int, int) { endRemoveRows(); }

void ResultsModel::rowAboutToBeMoved(int from, int to) {
  // Qt counts the destination before the move.
  m_moving = beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
  if (!m_moving) orderAboutToChange();
}

void ResultsModel::rowMoved(int, int) {
  if (m_moving) {
    endMoveRows();
    m_moving = false;
  } else {
    orderChanged();
  }
}

void ResultsModel::orderAboutToChange() {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  m_persistentBefore = persistentIndexList();
  m_persistentRows.clear();
  m_persistentRows.reserve(static_cast<std::size_t>(m_persistentBefore.size()));
  for (const QModelIndex& index : m_persistentBefore) {
    m_persistentRows.push_back(m_table.RowAt(index.row()));
  }
}

void ResultsModel::orderChanged() {
  QModelIndexList after;
  after.reserve(m_persistentBefore.size());
  for (qsizetype i = 0; i < m_persistentBefore.size(); ++i) {
    const int row = m_table.IndexOf(m_persistentRows[static_cast<std::size_t>(i)]);
    after.append(row >= 0 ? index(row, m_persistentBefore[i].column()) : QModelIndex());
  }
  changePersistentIndexList(m_persistentBefore, after);
  m_persistentBefore.clear();
  m_persistentRows.clear();
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
  if (m_table.SortColumn() != m_sortColumn || m_table.SortAscending() != m_sortAscending) {
    m_sortColumn = m_table.SortColumn();
    m_sortAscending = m_table.SortAscending();
    emit sortIndicatorChanged();
  }
}

void ResultsModel::cellChanged(int row, int column) {
  const QModelIndex changed = index(row, column);
  emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}

void ResultsModel::captionsChanged() {
  emit headerDataChanged(Qt::Horizontal, 0, results::kColumnCount - 1);
}

}  // namespace quillon::shell
