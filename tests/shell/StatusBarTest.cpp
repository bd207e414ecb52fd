#include "shell/ProgressPanel.h"
#include "shell/StatusBar.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quillon::shell {
namespace {

TEST(StatusBar, HasFivePanelsWithTheirWidthsAndTexts) {
  StatusBar sb;
  EXPECT_EQ(sb.height(), 19);
  const int widths[] = {250, 100, 200, 194, 516};
  for (int index = 0; index < StatusBar::kPanelCount; ++index) {
    ASSERT_NE(sb.panel(index), nullptr);
    EXPECT_EQ(sb.panel(index)->width(), widths[index]) << index;
  }
  EXPECT_EQ(sb.panelText(0), QStringLiteral("Browser Status"));
  EXPECT_EQ(sb.panelText(1), QStringLiteral("     Home Page"));
  EXPECT_EQ(sb.panelText(2), QString());
  EXPECT_EQ(sb.panelText(3), QString());
  EXPECT_EQ(sb.panelText(4),
            QStringLiteral("CTRL+A to select All, and DEL or CTRL+DEL to delete selected lines"));
  EXPECT_EQ(sb.panel(StatusBar::kPanelCount), nullptr);
}

TEST(StatusBar, TellsWhichPanelWasClicked) {
  StatusBar sb;
  sb.resize(1300, 19);
  sb.show();
  QSignalSpy clicks(&sb, &StatusBar::panelClicked);
  for (int index : {1, 0, 4}) {
    QTest::mouseClick(sb.panel(index), Qt::LeftButton, {}, QPoint(5, 5));
  }
  QTest::mouseClick(sb.panel(1), Qt::RightButton, {}, QPoint(5, 5));
  ASSERT_EQ(clicks.count(), 3);
  EXPECT_EQ(clicks[0][0].toInt(), 1);
  EXPECT_EQ(clicks[1][0].toInt(), 0);
  EXPECT_EQ(clicks[2][0].toInt(), 4);
}

TEST(ProgressPanel, ShowsItsCaptionAndKeepsPositionsOutsideTheBar) {
  ProgressPanel bar(QStringLiteral("Browser Status"));
  EXPECT_EQ(bar.max(), 100);
  EXPECT_EQ(bar.position(), 0);
  EXPECT_EQ(bar.text(), QStringLiteral("Browser Status"));
  bar.setPosition(bar.max());
  EXPECT_EQ(bar.value(), 100);
  bar.setMax(0);  // an empty page: no busy animation, the position is kept
  EXPECT_EQ(bar.max(), 0);
  EXPECT_GT(bar.maximum(), bar.minimum());
  bar.setMax(40);
  bar.setPosition(55);
  EXPECT_EQ(bar.position(), 55);
  EXPECT_EQ(bar.value(), 40);
  EXPECT_EQ(bar.text(), QStringLiteral("Browser Status"));
}

}  // namespace
}  // namespace quillon::shell
