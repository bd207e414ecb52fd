#include "shell/ToolPanel.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quillon::shell {
namespace {

class ToolPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel.resize(panel.width(), 400);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  }
  QAbstractButton* pin() const { return panel.findChild<QAbstractButton*>(QStringLiteral("pin")); }
  void clickTab() { QTest::mouseClick(panel.childAt(5, 20), Qt::LeftButton, {}, QPoint(10, 20)); }

  ToolPanel panel{QStringLiteral("Save - Guardar - Salvare"), 117};
};

TEST_F(ToolPanelTest, IsItsStripAndPanelWideAndCollapsesOnTheTab) {
  EXPECT_EQ(panel.width(), 140);
  EXPECT_EQ(panel.caption(), QStringLiteral("Save - Guardar - Salvare"));
  QSignalSpy collapsed(&panel, &ToolPanel::collapsedChanged);
  clickTab();
  EXPECT_TRUE(panel.isCollapsed());
  EXPECT_EQ(panel.width(), ToolPanel::kStripWidth);
  EXPECT_FALSE(panel.body()->isVisible());
  clickTab();
  EXPECT_FALSE(panel.isCollapsed());
  EXPECT_EQ(panel.width(), 140);
  EXPECT_EQ(collapsed.count(), 2);
}

TEST_F(ToolPanelTest, ThePinLocksAndUnlocksWithItsHints) {
  ASSERT_NE(pin(), nullptr);
  EXPECT_TRUE(panel.isLocked());
  EXPECT_EQ(pin()->toolTip(), QStringLiteral("Unlock panel"));
  pin()->click();
  EXPECT_FALSE(panel.isLocked());
  EXPECT_EQ(pin()->toolTip(), QStringLiteral("Lock panel"));
  pin()->click();
  EXPECT_TRUE(panel.isLocked());
  EXPECT_EQ(pin()->toolTip(), QStringLiteral("Unlock panel"));
}

TEST_F(ToolPanelTest, AnUnlockedPanelFoldsAwayWhenTheMouseLeaves) {
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&panel, &leave);
  EXPECT_FALSE(panel.isCollapsed());  // locked: it stays
  panel.setLocked(false);
  QApplication::sendEvent(&panel, &leave);
  EXPECT_TRUE(panel.isCollapsed());
}

}  // namespace
}  // namespace quillon::shell
