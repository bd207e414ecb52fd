// A table of 100,000 rows through the list model and the list view. Each case proves
// that an operation on the big table costs the GUI a fixed number of notifications, not
// one per row, and that the view then reads only the rows it shows: the window is busy
// no longer than the table operation itself.

#include "ScriptedDialogs.h"
#include "results/CountPanel.h"
#include "results/ResultsTable.h"
#include "shell/ErrorReport.h"
#include "shell/ResultsHeader.h"
#include "shell/ResultsModel.h"
#include "shell/ResultsView.h"

#include <QApplication>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>
#include <string>

namespace quillon::shell {
namespace {

constexpr int kRows = 100'000;

struct CountText final : results::CountPanel {
  std::string text;
  void setCountText(const std::string& t) override { text = t; }
};

// Rows in no particular order of names, with telephone numbers in reverse order.
void fill(results::ResultsTable& table) {
  for (int i = 0; i < kRows; ++i) {
    const int scrambled = (i * 7919) % kRows;
    table.AddRow("Name " + std::to_string(scrambled),
                 {"activity", "", std::to_string(999'999 - i), "street", "28001", "Madrid",
                  "Madrid", "http://example.es"});
  }
}

// Every kind of notification the model can send, counted.
struct Notifications {
  explicit Notifications(const QAbstractItemModel& model)
      : layouts(&model, &QAbstractItemModel::layoutChanged),
        resets(&model, &QAbstractItemModel::modelReset),
        inserts(&model, &QAbstractItemModel::rowsInserted),
        removals(&model, &QAbstractItemModel::rowsRemoved),
        moves(&model, &QAbstractItemModel::rowsMoved),
        cells(&model, &QAbstractItemModel::dataChanged) {}
  int total() const {
    return static_cast<int>(layouts.count() + resets.count() + inserts.count() + removals.count() +
                            moves.count() + cells.count());
  }
  QSignalSpy layouts, resets, inserts, removals, moves, cells;
};

class BigTableTest : public ::testing::Test {
 protected:
  void SetUp() override { fill(table); }
  results::ResultsTable table{results::NameCollator("es_ES")};
};

// Proves: a header sort, the next captured row, a renamed row and Ctrl+A with Delete each
// reach the view as one or two notifications whatever the table's size.
TEST_F(BigTableTest, EachOperationIsAFixedNumberOfNotifications) {
  ResultsModel model(table);
  CountText count;
  testing::ScriptedDialogs dialogs;
  ErrorReport errors(dialogs);
  ResultsView view(model, count, errors);
  view.resize(900, 300);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  ASSERT_EQ(model.rowCount(), kRows);

  {  // A click on the telephone header: one change of the whole order.
    Notifications n(model);
    QTest::mouseClick(view.header().viewport(), Qt::LeftButton, {},
                      QPoint(view.header().sectionViewportPosition(3) + 5, 5));
    EXPECT_EQ(table.SortColumn(), 3);
    EXPECT_EQ(n.layouts.count(), 1);
    EXPECT_EQ(n.total(), 1);
    EXPECT_EQ(model.cellText(0, 3), QStringLiteral("900000"));
  }
  {  // A captured row brings back the order by name: the order once, the row once.
    Notifications n(model);
    table.AddRow("Name 5", {"activity", "", "1", "street"});
    EXPECT_EQ(n.layouts.count(), 1);
    EXPECT_EQ(n.inserts.count(), 1);
    EXPECT_EQ(n.total(), 2);
    EXPECT_EQ(model.rowCount(), kRows + 1);
  }
  {  // An edited name moves its one row.
    Notifications n(model);
    const int row = kRows / 2;
    ASSERT_TRUE(model.setData(model.index(row, 0), QStringLiteral("AAA first")));
    EXPECT_EQ(model.cellText(0, 0), QStringLiteral("AAA first"));
    EXPECT_EQ(n.moves.count(), 1);
    EXPECT_LE(n.total(), 2);  // the move and the changed cell
  }
  {  // Ctrl+A and Delete in the list: every row goes in one removal.
    view.setFocus();
    Notifications n(model);
    QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QApplication::sendEvent(&view, &selectAll);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(&view, &del);
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(n.removals.count(), 1);
    EXPECT_EQ(count.text, "0 líneas capturadas");
  }
}

// Counts what a view reads from the model.
class CountingProxy final : public QIdentityProxyModel {
 public:
  mutable int reads = 0;
  QVariant data(const QModelIndex& index, int role) const override {
    ++reads;
    return QIdentityProxyModel::data(index, role);
  }
};

// Proves: after a header sort or a new row in a 100,000-row table, a view reads a few
// screens' worth of cells, not the whole table.
TEST_F(BigTableTest, AViewReadsOnlyTheRowsItShows) {
  ResultsModel model(table);
  CountingProxy proxy;
  proxy.setSourceModel(&model);
  QTableView view;
  view.setModel(&proxy);
  view.resize(900, 300);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  QApplication::processEvents();
  // What one full paint of the visible rows reads, with room to spare.
  const int screen = 300 * 10 * 20;

  proxy.reads = 0;
  table.SortByColumn(3);
  view.viewport()->repaint();
  QApplication::processEvents();
  EXPECT_LT(proxy.reads, screen);

  proxy.reads = 0;
  table.AddRow("Name 42", {"activity", "", "2", "street"});
  view.viewport()->repaint();
  QApplication::processEvents();
  EXPECT_LT(proxy.reads, screen);
  EXPECT_EQ(proxy.rowCount(), kRows + 1);
}

}  // namespace
}  // namespace quillon::shell
