#include "ScriptedDialogs.h"
#include "results/CountPanel.h"
#include "results/ResultsTable.h"
#include "shell/ErrorReport.h"
#include "shell/ResultsHeader.h"
#include "shell/ResultsModel.h"
#include "shell/ResultsView.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quillon::shell {
namespace {

struct CountText final : results::CountPanel {
  std::string text = "untouched";
  void setCountText(const std::string& t) override { text = t; }
};

const std::string kSpanishCount = " líneas capturadas";

class ResultsViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    add("Carla", "300", "http://www.carla.es");
    add("Ana", "100", "file:///etc/passwd");
    add("Bea", "200", "plain text");
    view.resize(900, 300);
    view.show();
    QApplication::setActiveWindow(&view);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.setFocus();
    view.setUrlOpener([this](const QUrl& url) { opened.push_back(url); });
  }

  void add(const std::string& name, const std::string& phone, const std::string& web) {
    table.AddRow(name, {"activity", "", phone, "street", "28001", "Madrid", "Madrid", web});
  }

  QPoint cellCentre(int row, int column) const {
    return view.visualRect(model.index(row, column)).center();
  }
  // One key press as the keyboard sends it with the modifiers already held (QTest would
  // also press the modifier keys themselves, which are keys of their own to the list).
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&view, &event);
  }
  void click(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, cellCentre(row, column));
  }
  int selectedRows() const {
    return static_cast<int>(view.selectionModel()->selectedRows().size());
  }
  // Which rows the key handling would act on.
  std::vector<bool> flags() const {
    std::vector<bool> result(static_cast<std::size_t>(table.Count()), false);
    for (const int row : view.selectedRows()) result[static_cast<std::size_t>(row)] = true;
    return result;
  }

  results::ResultsTable table{results::NameCollator("es_ES")};
  ResultsModel model{table};
  CountText count;
  testing::ScriptedDialogs dialogs;
  ErrorReport errors{dialogs};
  ResultsView view{model, count, errors};
  std::vector<QUrl> opened;
};

TEST_F(ResultsViewTest, CtrlASelectsEveryRowAndLeavesTheCountPanel) {
  press(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(flags(), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(selectedRows(), 3);
  EXPECT_EQ(count.text, "untouched");

  view.clearSelection();
  EXPECT_EQ(flags(), (std::vector<bool>{false, false, false}));
  press(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(selectedRows(), 0);
  EXPECT_EQ(count.text, "3" + kSpanishCount);
}

TEST_F(ResultsViewTest, DeleteWithAnyModifiersRemovesTheSelectedRowsAndCounts) {
  press(Qt::Key_Delete);  // nothing selected: the count is still written
  EXPECT_EQ(table.Count(), 3);
  EXPECT_EQ(count.text, "3" + kSpanishCount);

  click(0, 2);
  press(Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(table.Count(), 2);
  EXPECT_EQ(table.Cell(0, 0), "Bea");
  click(1, 2);
  press(Qt::Key_Delete, Qt::AltModifier);
  EXPECT_EQ(table.Count(), 1);
  press(Qt::Key_A, Qt::ControlModifier);
  press(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(count.text, "0" + kSpanishCount);
  EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(ResultsViewTest, AnyOtherKeyRewritesTheCountInSpanish) {
  count.text = "3 lines captured";
  press(Qt::Key_Down);
  EXPECT_EQ(count.text, "3" + kSpanishCount);
}

TEST_F(ResultsViewTest, HasNoClipboardShortcuts) {
  click(0, 0);
  QApplication::clipboard()->setText(QStringLiteral("before"));
  press(Qt::Key_C, Qt::ControlModifier);
  press(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
  QApplication::clipboard()->setText(QStringLiteral("pasted"));
  press(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(table.Cell(0, 0), "Ana");
  EXPECT_EQ(table.Count(), 3);
  // They are keys all the same: the count panel is written.
  EXPECT_EQ(count.text, "3" + kSpanishCount);
}

TEST_F(ResultsViewTest, ClicksSelectWholeRows) {
  click(0, 4);
  EXPECT_EQ(flags(), (std::vector<bool>{true, false, false}));
  click(2, 1, Qt::ControlModifier);
  EXPECT_EQ(flags(), (std::vector<bool>{true, false, true}));
  click(0, 1, Qt::ControlModifier);
  EXPECT_EQ(flags(), (std::vector<bool>{false, false, true}));
  click(0, 1);
  EXPECT_EQ(flags(), (std::vector<bool>{true, false, false}));
  click(2, 1, Qt::ShiftModifier);
  EXPECT_EQ(flags(), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(view.selectionModel()->selectedRows().size(), 3);
}

TEST_F(ResultsViewTest, SelectionSurvivesASort) {
  click(1, 0);            // Bea
  table.SortByColumn(3);  // by telephone: Ana 100, Bea 200, Carla 300
  ASSERT_EQ(table.Cell(1, 0), "Bea");
  table.SortByColumn(3);  // descending: Carla, Bea, Ana
  ASSERT_EQ(table.Cell(0, 0), "Carla");
  EXPECT_EQ(flags(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(selectedRows(), 1);
  EXPECT_TRUE(view.selectionModel()->isRowSelected(1, {}));
}

TEST_F(ResultsViewTest, SpaceOpensAnEditorOnTheCurrentCellAndEscStoresItsText) {
  click(1, 0);  // Bea
  press(Qt::Key_Right);
  press(Qt::Key_Right);
  EXPECT_EQ(view.currentIndex().column(), 2);
  press(Qt::Key_Space);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->maxLength(), 1024);
  editor->selectAll();
  QTest::keyClicks(editor, QStringLiteral("Fax "));
  editor->insert(QStringLiteral(u"ñ"));
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_EQ(table.Cell(1, 2), "Fax ñ");
  EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
}

TEST_F(ResultsViewTest, F2EditsAndANewNameTakesItsPlaceByName) {
  click(0, 0);  // Ana
  press(Qt::Key_F2);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, QStringLiteral("Zulema"));
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();  // Qt commits an Enter from the event loop
  EXPECT_EQ(table.Cell(2, 0), "Zulema");
  EXPECT_EQ(table.Cell(2, 3), "100");
  EXPECT_EQ(model.data(model.index(2, 0)).toString(), QStringLiteral("Zulema"));
}

TEST_F(ResultsViewTest, AClickElsewhereStoresTheEditorsText) {
  click(2, 0);  // Carla
  press(Qt::Key_Right);
  press(Qt::Key_F2);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("Pizzeria"));
  click(0, 5);
  EXPECT_EQ(table.Cell(2, 1), "Pizzeria");
}

TEST_F(ResultsViewTest, HeaderClicksSortAndShowTheArrow) {
  QHeaderView* header = view.horizontalHeader();
  EXPECT_FALSE(header->sectionsMovable());
  EXPECT_EQ(view.header().sortArrowColumn(), -1);
  const QPoint phoneHeader(header->sectionViewportPosition(3) + 10, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, phoneHeader);
  EXPECT_EQ(table.SortColumn(), 3);
  EXPECT_EQ(table.Cell(0, 3), "100");
  EXPECT_EQ(view.header().sortArrowColumn(), 3);
  EXPECT_TRUE(view.header().sortArrowAscending());
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, phoneHeader);
  EXPECT_EQ(table.Cell(0, 3), "300");
  EXPECT_FALSE(view.header().sortArrowAscending());
  EXPECT_EQ(view.columnWidth(0), 200);
  EXPECT_EQ(view.columnWidth(4), 150);
}

TEST_F(ResultsViewTest, ReleasingTheButtonOverALinkOpensOnlyWebAndMailAddresses) {
  click(2, 8);  // Carla: http://www.carla.es
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://www.carla.es")));
  click(0, 8);  // Ana: file:///etc/passwd is drawn as a link but never handed on
  click(1, 8);  // Bea: plain text
  click(2, 0);  // a name
  EXPECT_EQ(opened.size(), 1u);
  QTest::mouseClick(view.viewport(), Qt::RightButton, {}, cellCentre(2, 8));
  EXPECT_EQ(opened.size(), 1u);
}

TEST_F(ResultsViewTest, TheHintShowsOverTheList) {
  QHelpEvent help(QEvent::ToolTip, cellCentre(0, 0),
                  view.viewport()->mapToGlobal(cellCentre(0, 0)));
  QApplication::sendEvent(view.viewport(), &help);
  EXPECT_EQ(QToolTip::text(),
            QStringLiteral("CTRL+A to select All, and DEL or CTRL+DEL to delete selected lines"));
  QToolTip::hideText();
}

}  // namespace
}  // namespace quillon::shell
