#include "shell/ResultsView.h"

#include "results/KeyHandling.h"
#include "results/ResultsTable.h"
#include "results/TableColumns.h"
#include "shell/ErrorReport.h"
#include "shell/LinkText.h"
#include "shell/ResultsDelegate.h"
#include "shell/ResultsHeader.h"
#include "shell/ResultsModel.h"

#include <QDesktopServices>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <algorithm>

namespace quillon::shell {
namespace {

const QString kHint =
    QStringLiteral("CTRL+A to select All, and DEL or CTRL+DEL to delete selected lines");

results::ListKeyCommand keyCommand(const QKeyEvent& event) {
  const Qt::KeyboardModifiers held = event.modifiers() & ~Qt::KeypadModifier;
  if (event.key() == Qt::Key_A && held == Qt::ControlModifier) {
    return results::ListKeyCommand::SelectAll;
  }
  if (event.key() == Qt::Key_Delete) return results::ListKeyCommand::DeleteSelected;
  return results::ListKeyCommand::OtherKey;
}

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
  results::applyListKey(m_model.table(), m_countPanel, *this, keyCommand(event));
}

void ResultsView::selectAll() { QTableView::selectAll(); }

std::vector<int> ResultsView::selectedRows() const {
  std::vector<int> rows;
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row);
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void ResultsView::sortByHeader(int column) {
  m_errors.guard([&] { m_model.table().SortByColumn(column); });
}

void ResultsView::showSortArrow() {
  m_header->setSortArrow(m_model.table().SortColumn(), m_model.table().SortAscending());
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
