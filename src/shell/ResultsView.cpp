#include "shell/ResultsView.h"

#include "results/KeyHandling.h"
#include "results/ResultsTable.h"
#include "results/TableColumns.h"
#include "shell/ErrorReport.h"
#include "shell/LinkText.h"
#include "shell/ResultsDelegate.h"
#include "shell/ResultsHeader.h"
#include "shell/ResultsModel.h"
#include "shell/VirtualKey.h"

#include <QDesktopServices>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace quillon::shell {
namespace {

const QString kHint =
    QStringLiteral("CTRL+A to select All, and DEL or CTRL+DEL to delete selected lines");

}  // namespace

ResultsView::ResultsView(ResultsModel& model, results::CountPanel& countPanel, ErrorReport& errors,
                         QWidget* parent)
    : QTableView(parent),
      m_model(model),
      m_countPanel(countPanel),
      m_errors(errors),
      m_header(new ResultsHeader(this)),
      m_openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
  setObjectName(QStringLiteral("lv"));
  setHorizontalHeader(m_header);
  setModel(&m_model);
  setItemDelegate(new ResultsDelegate(this));
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::EditKeyPressed);
  setShowGrid(false);
  setWordWrap(false);
  setAlternatingRowColors(true);
  setTextElideMode(Qt::ElideRight);
  setSortingEnabled(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setContextMenuPolicy(Qt::NoContextMenu);
  // Rows are one text line high; the line grows where the font needs it (large DPI).
  const int rowHeight = std::max(kRowHeight, fontMetrics().height());
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(rowHeight);
  verticalHeader()->setDefaultSectionSize(rowHeight);
  for (int column = 0; column < results::kColumnCount; ++column) {
    setColumnWidth(column, results::columnWidth(column));
  }
  m_header->setToolTip(kHint);

  connect(m_header, &QHeaderView::sectionClicked, this, &ResultsView::sortByHeader);
  connect(&m_model, &ResultsModel::sortIndicatorChanged, this, &ResultsView::showSortArrow);
  connect(&m_model, &ResultsModel::selectionFlagsChanged, this, &ResultsView::selectionFromTable);
  connect(&m_model, &QAbstractItemModel::layoutChanged, this, &ResultsView::selectionFromTable);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &ResultsView::selectionToTable);
  showSortArrow();
}

void ResultsView::keyPressEvent(QKeyEvent* event) {
  m_errors.guard([&] { lvKeyDown(*event); });
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (event->key() == Qt::Key_Space && plain && state() != EditingState &&
      currentIndex().isValid()) {
    edit(currentIndex());
    event->accept();
    return;
  }
  // The list has no clipboard shortcuts (Qt's views would copy the current cell).
  if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
      event->matches(QKeySequence::Paste)) {
    event->accept();
    return;
  }
  // The key goes on to the list's own handling (current row, selection, F2 editing).
  QTableView::keyPressEvent(event);
}

void ResultsView::lvKeyDown(const QKeyEvent& event) {
  const Qt::KeyboardModifiers held = event.modifiers();
  results::KeyModifiers modifiers;
  modifiers.shift = held.testFlag(Qt::ShiftModifier);
  modifiers.alt = held.testFlag(Qt::AltModifier);
  modifiers.ctrl = held.testFlag(Qt::ControlModifier);
  results::lvKeyDown(m_model.table(), m_countPanel, virtualKeyOf(event.key()), modifiers);
}

void ResultsView::sortByHeader(int column) {
  m_errors.guard([&] { m_model.table().SortByColumn(column); });
}

void ResultsView::showSortArrow() {
  m_header->setSortArrow(m_model.table().sortColumn(), m_model.table().sortAscending());
}

void ResultsView::selectionFromTable() {
  if (m_syncingSelection) return;
  m_syncingSelection = true;
  const results::ResultsTable& table = m_model.table();
  QItemSelection selection;
  const int count = table.Count();
  const int lastColumn = results::kColumnCount - 1;
  for (int row = 0; row < count;) {
    if (!table.isSelected(row)) {
      ++row;
      continue;
    }
    const int first = row;
    while (row < count && table.isSelected(row)) ++row;
    selection.select(m_model.index(first, 0), m_model.index(row - 1, lastColumn));
  }
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  m_syncingSelection = false;
}

void ResultsView::selectionToTable(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
  if (m_syncingSelection) return;
  m_syncingSelection = true;
  results::ResultsTable& table = m_model.table();
  for (const QItemSelectionRange& range : deselected) {
    for (int row = range.top(); row <= range.bottom(); ++row) {
      table.setSelected(row, selectionModel()->isRowSelected(row));
    }
  }
  for (const QItemSelectionRange& range : selected) {
    for (int row = range.top(); row <= range.bottom(); ++row) table.setSelected(row, true);
  }
  m_syncingSelection = false;
}

void ResultsView::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton) return;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!index.isValid()) return;
  m_errors.guard([&] {
    // Only web and mail addresses leave the program; see linkToOpen.
    if (const auto url = linkToOpen(m_model.cellText(index.row(), index.column()))) {
      m_openUrl(*url);
    }
  });
}

bool ResultsView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), kHint, viewport());
    return true;
  }
  return QTableView::viewportEvent(event);
}

}  // namespace quillon::shell
