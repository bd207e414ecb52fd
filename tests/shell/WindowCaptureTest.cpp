#include "WindowFixture.h"
#include "capture/CaptureController.h"
#include "shell/ProgressPanel.h"
#include "shell/ResultsView.h"
#include "shell/StatusBar.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>

namespace quillon::shell {
namespace {

using testing::WindowFixture;

class WindowCapture : public WindowFixture {
 protected:
  bool allButtonsEnabled(bool enabled) const {
    for (int i = 0; i < kWindowButtonCount; ++i) {
      if (window->button(static_cast<WindowButton>(i)).isEnabled() != enabled) {
        return false;
      }
    }
    return true;
  }
  QString header(int column) const {
    return window->resultsView().model()->headerData(column, Qt::Horizontal).toString();
  }
};

TEST_F(WindowCapture, APageWithoutListingsIsReportedAndTheWindowGoesIdle) {
  button("btncomer").click();
  EXPECT_EQ(window->statusPanels().panelText(StatusBar::kCountPanel),
            QStringLiteral(u"0 líneas capturadas"));
  EXPECT_EQ(header(0), QStringLiteral("Persona/Empresa"));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillon 0.99c"));
  EXPECT_TRUE(button("btnStop").isHidden());
  EXPECT_TRUE(allButtonsEnabled(true));
  EXPECT_EQ(window->statusPanels().progressPanel().position(), 0);

  button("btncanada").click();
  EXPECT_EQ(window->statusPanels().panelText(StatusBar::kCountPanel),
            QStringLiteral("0 lines captured"));
  EXPECT_EQ(header(0), QStringLiteral("Person/Company"));
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(WindowCapture, AnErrorIsReportedAndStrandsTheRunUntilStop) {
  showWindow();
  browser.document->body = false;
  button("btnAustralia").click();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0].title, QStringLiteral("Veskel"));
  EXPECT_EQ(dialogs.errors[0].text, QStringLiteral("Can't find <body> element."));
  EXPECT_FALSE(button("btnStop").isHidden());
  EXPECT_TRUE(allButtonsEnabled(false));
  EXPECT_FALSE(window->addressField().isEnabled());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillon 0.99c - please wait..."));
  EXPECT_EQ(window->cursor().shape(), Qt::WaitCursor);
  EXPECT_EQ(window->statusPanels().progressPanel().value(),
            window->statusPanels().progressPanel().maximum());

  button("btnStop").click();
  EXPECT_TRUE(button("btnStop").isHidden());
  EXPECT_TRUE(allButtonsEnabled(true));
  EXPECT_TRUE(window->addressField().isEnabled());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillon 0.99c"));
  EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
  EXPECT_TRUE(window->captureController().stopFlag());

  // The next Capture click only consumes the pending stop.
  browser.document->body = true;
  button("btnAustralia").click();
  EXPECT_FALSE(window->captureController().stopFlag());
  EXPECT_EQ(window->statusPanels().panelText(StatusBar::kCountPanel), QString());
  EXPECT_EQ(dialogs.errors.size(), 1u);
}

TEST_F(WindowCapture, StopShowsWhileARunWaitsForItsPage) {
  showWindow();
  browser.readyState = 1;
  bool stopSeen = false;
  bool saveDisabled = false;
  QTimer::singleShot(0, window.get(), [&] {
    stopSeen = button("btnStop").isVisible();
    saveDisabled = !button("btnSave").isEnabled();
    button("btnStop").click();
    browser.readyState = capture::Browser::kReadyStateComplete;
  });
  button("btnItalia").click();
  EXPECT_TRUE(stopSeen);
  EXPECT_TRUE(saveDisabled);
  // The page in progress was still read and reported.
  EXPECT_EQ(window->statusPanels().panelText(StatusBar::kCountPanel),
            QStringLiteral(u"0 líneas capturadas"));
  EXPECT_TRUE(button("btnStop").isHidden());
  EXPECT_TRUE(allButtonsEnabled(true));
  // No next page: the run ended by itself and the stop stays pending.
  EXPECT_TRUE(window->captureController().stopFlag());
}

TEST_F(WindowCapture, TheOptionsApplyToTheRunsThatFollow) {
  auto& findEmails = *window->findChild<QCheckBox*>(QStringLiteral("chkFindEmails"));
  auto& skipImages = *window->findChild<QCheckBox*>(QStringLiteral("chkSkipImages"));
  auto& lookups = *window->findChild<QSpinBox*>(QStringLiteral("spnLookups"));
  EXPECT_FALSE(findEmails.isChecked());  // both off by default
  EXPECT_FALSE(skipImages.isChecked());
  EXPECT_EQ(lookups.value(), 8);
  EXPECT_EQ(lookups.minimum(), 1);

  button("btnAustralia").click();
  EXPECT_EQ(pane->blockCalls, (std::vector<bool>{false, false}));
  EXPECT_FALSE(window->captureController().findWebsiteEmails());

  findEmails.click();
  skipImages.click();
  pane->blockCalls.clear();
  button("btnAustralia").click();
  // Lighter pages only while the run goes.
  EXPECT_EQ(pane->blockCalls, (std::vector<bool>{true, false}));
  EXPECT_TRUE(window->captureController().findWebsiteEmails());
}

}  // namespace
}  // namespace quillon::shell
