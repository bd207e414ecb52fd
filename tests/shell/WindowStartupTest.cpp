#include "WindowFixture.h"
#include "capture/CaptureController.h"
#include "shell/ProgressPanel.h"
#include "shell/ResultsView.h"
#include "shell/StatusBar.h"
#include "shell/ToolPanel.h"

#include <QFile>
#include <QFontInfo>
#include <QSplitter>
#include <QUrl>

namespace quillon::shell {
namespace {

using testing::WindowFixture;

struct ButtonPlace {
  const char* name;
  const char16_t* caption;
  QRect geometry;
};

TEST_F(WindowFixture, StartsWithItsTitleEnglishCaptionsAndTheHomePage) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillon 0.99c"));
  EXPECT_EQ(window->size(), QSize(864, 633));
  const QAbstractItemModel& model = *window->resultsView().model();
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Person/Company"));
  EXPECT_EQ(model.headerData(7, Qt::Horizontal).toString(), QStringLiteral("Email"));
  EXPECT_EQ(model.headerData(9, Qt::Horizontal).toString(), QString());
  ASSERT_EQ(browser.navigations.size(), 1u);
  const QString home = QCoreApplication::applicationDirPath() + QStringLiteral("/Quillon.htm");
  EXPECT_EQ(QString::fromStdU16String(browser.navigations[0]),
            QUrl::fromLocalFile(home).toString());
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(WindowFixture, LaysOutTheNavigationPanelsButtons) {
  const ButtonPlace places[] = {
      {"btnBack", u"<<", {12, 33, 45, 25}},
      {"btnnext", u">>", {66, 33, 45, 25}},
      {"btnYellAU", u"Yellow Australia", {12, 68, 99, 25}},
      {"btnYellCA", u"Yellow Canada", {12, 99, 99, 25}},
      {"btnAmarillas", u"Amarillas ES", {12, 130, 99, 25}},
      {"btnGialle", u"Gialle IT", {12, 161, 99, 25}},
      {"btnAustralia", u"Capture Australia", {12, 211, 99, 25}},
      {"btncanada", u"Capture Canada", {12, 238, 99, 25}},
      {"btncomer", u"Capturar España", {12, 265, 99, 25}},
      {"btnItalia", u"Catturare Italia", {12, 293, 99, 25}},
      {"btnAnySite", u"Capture any site", {12, 320, 99, 25}},
      {"btnStop", u"Stop Capture!", {12, 346, 99, 25}},
      {"btnSave", u"Guardar/Save/Salvare", {10, 40, 99, 25}},
  };
  for (const ButtonPlace& place : places) {
    const QPushButton& b = button(place.name);
    EXPECT_EQ(b.text(), QString::fromUtf16(place.caption)) << place.name;
    EXPECT_EQ(b.geometry(), place.geometry) << place.name;
  }
  EXPECT_TRUE(button("btnStop").isHidden());
  auto* bevel = window->findChild<QWidget*>(QStringLiteral("Bevel1"));
  ASSERT_NE(bevel, nullptr);
  EXPECT_EQ(bevel->geometry(), QRect(12, 192, 99, 7));
  // The buttons of the busy state, in its order.
  const char* order[] = {"btnAmarillas", "btnGialle", "btnYellCA", "btnYellAU",
                         "btncanada",    "btncomer",  "btnItalia", "btnAustralia",
                         "btnBack",      "btnnext",   "btnSave",   "btnAnySite"};
  for (int i = 0; i < kWindowButtonCount; ++i) {
    EXPECT_EQ(&window->button(static_cast<WindowButton>(i)), &button(order[i])) << i;
  }
}

TEST_F(WindowFixture, HasItsPanelsSplitterAndStatusBar) {
  showWindow();
  auto* navigate = window->findChild<ToolPanel*>(QStringLiteral("tpNavigate"));
  auto* save = window->findChild<ToolPanel*>(QStringLiteral("AdvToolPanelTab1"));
  ASSERT_NE(navigate, nullptr);
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(navigate->caption(), QStringLiteral(u"Navigate - Navegación  -  Navigare"));
  EXPECT_EQ(navigate->width(), 145);
  EXPECT_EQ(save->caption(), QStringLiteral("Save - Guardar - Salvare"));
  EXPECT_EQ(save->width(), 140);
  auto* splitter = window->findChild<QSplitter*>(QStringLiteral("AdvSplitter1"));
  ASSERT_NE(splitter, nullptr);
  EXPECT_EQ(splitter->handleWidth(), 5);
  auto* lower = window->findChild<QWidget*>(QStringLiteral("Panel1"));
  ASSERT_NE(lower, nullptr);
  EXPECT_EQ(lower->height(), 203);
  EXPECT_EQ(window->statusPanels().height(), 19);
  EXPECT_EQ(window->statusPanels().panelText(0), QStringLiteral("Browser Status"));
  EXPECT_EQ(window->statusPanels().panelText(1), QStringLiteral("     Home Page"));
  EXPECT_EQ(window->statusPanels().panelText(3), QString());
  EXPECT_EQ(window->statusPanels().progressPanel().value(), 0);
  // The lower pane keeps its height when the window grows.
  window->resize(1200, 900);
  EXPECT_TRUE(settle([&] { return splitter->height() > 800; }));
  EXPECT_EQ(lower->height(), 203);
}

TEST_F(WindowFixture, UsesTahomaAt8PointsWhereItIsInstalled) {
  if (!QFile::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"))) {
    GTEST_SKIP() << "no Tahoma on this machine";
  }
  const QFontInfo info(window->font());
  EXPECT_EQ(info.family(), QStringLiteral("Tahoma"));
  EXPECT_EQ(window->font().pointSize(), 8);
}

TEST_F(WindowFixture, SiteButtonsOpenTheDirectoriesHomePages) {
  window->table().TransItalian();
  button("btnAmarillas").click();
  button("btnGialle").click();
  button("btnYellAU").click();
  button("btnYellCA").click();
  ASSERT_EQ(browser.navigations.size(), 5u);
  EXPECT_EQ(browser.navigations[1], u"http://www.paginasamarillas.es/");
  EXPECT_EQ(browser.navigations[2], u"http://www.paginegialle.it/");
  EXPECT_EQ(browser.navigations[3], u"http://www.yellowpages.com.au/");
  EXPECT_EQ(browser.navigations[4], u"http://www.yellowpages.ca/");
  // The site buttons leave the table's captions alone.
  EXPECT_EQ(window->resultsView().model()->headerData(1, Qt::Horizontal).toString(),
            QStringLiteral(u"Attività"));
}

TEST_F(WindowFixture, HistoryButtonsSwallowTheirErrorsAndOthersReportThem) {
  showWindow();
  browser.historyFails = true;
  button("btnBack").click();
  button("btnnext").click();
  EXPECT_EQ(browser.backs, 1);
  EXPECT_EQ(browser.forwards, 1);
  EXPECT_TRUE(dialogs.errors.empty());

  browser.navigationFails = true;
  button("btnGialle").click();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0].title, QStringLiteral("Veskel"));
  EXPECT_EQ(dialogs.errors[0].text, QStringLiteral("navigation refused."));
  // The home page panel swallows them, as start-up does.
  QTest::mouseClick(window->statusPanels().panel(1), Qt::LeftButton);
  EXPECT_EQ(dialogs.errors.size(), 1u);
}

TEST_F(WindowFixture, OnlyTheHomePagePanelReactsToClicks) {
  showWindow();
  for (int index : {0, 2, 3, 4})
    QTest::mouseClick(window->statusPanels().panel(index), Qt::LeftButton);
  EXPECT_EQ(browser.navigations.size(), 1u);
  QTest::mouseClick(window->statusPanels().panel(1), Qt::LeftButton);
  ASSERT_EQ(browser.navigations.size(), 2u);
  EXPECT_EQ(browser.navigations[1], browser.navigations[0]);
}

TEST_F(WindowFixture, DownloadEventsRewriteTheTitle) {
  browser.fireDownloadBegin();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillon 0.99c - Please wait..."));
  browser.fireDownloadComplete();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillon 0.99c"));
  window->disableAllButtons();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillon 0.99c - please wait..."));
  browser.fireDownloadBegin();  // whichever is written last stands
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillon 0.99c - Please wait..."));
  browser.fireDocumentComplete();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillon 0.99c - Please wait..."));
}

TEST_F(WindowFixture, StopsListeningToTheBrowserWhenDestroyed) {
  EXPECT_EQ(browser.listenerCount(), 2u);
  window.reset();
  EXPECT_EQ(browser.listenerCount(), 0u);
}

}  // namespace
}  // namespace quillon::shell
