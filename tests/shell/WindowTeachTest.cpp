// The teach panel in the real window over the profile fixture site on 127.0.0.1: the user
// selects values on the page and takes them, types the rest, saves the profile and captures
// with it.

#include "ScriptedDialogs.h"
#include "TableRows.h"
#include "capture/CaptureController.h"
#include "cli/FixtureServer.h"
#include "results/ResultsTable.h"
#include "shell/StatusBar.h"
#include "shell/TeachPanel.h"
#include "shell/TfrmVeskel.h"
#include "shell/WebBrowserPane.h"
#include "support/TemporaryFolder.h"
#include "text/Cp1252.h"
#include "webengine/WebEngineBrowser.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>

namespace quillon::shell {
namespace {

using namespace std::chrono_literals;
using testing::Rows;

class WindowTeach : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("XDG_DATA_HOME", data.path().c_str(), 1);
    server.start();
    auto owned = std::make_unique<WebBrowserPane>();
    pane = owned.get();
    web = &owned->webBrowser();
    window = std::make_unique<TfrmVeskel>(std::move(owned), &dialogs);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->captureController().setPageTimeout(60s);
    window->resize(1180, 720);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_TRUE(web->waitUntilComplete(60s));
  }

  void TearDown() override {
    // For looking at the window: QUILLON_SCREENSHOT=file.png keeps a picture of it.
    const QString shot = qEnvironmentVariable("QUILLON_SCREENSHOT");
    if (!shot.isEmpty() && window != nullptr) window->grab().save(shot);
    window.reset();
    ::unsetenv("XDG_DATA_HOME");
  }

  void open(const std::string& path) {
    const std::string url = server.url(path);
    window->browser().Navigate(std::u16string(url.begin(), url.end()));
    ASSERT_TRUE(web->waitUntilComplete(60s));
  }

  // Runs a script in the page, as the user's clicks and selections would act on it.
  void inPage(const std::string& script) {
    const std::string address = "javascript:" + script;
    window->browser().Navigate(std::u16string(address.begin(), address.end()));
  }

  template <class Condition>
  static bool settle(Condition condition, int passes = 500) {
    for (int pass = 0; pass < passes && !condition(); ++pass) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return condition();
  }

  // Selects the text of the element (from the character `from` on), as soon as the page
  // shows it, and waits for the view to know the selection.
  void select(const std::string& selector, const QString& expected, int from = 0) {
    const std::string script = "(() => { const e = document.querySelector('" + selector +
                               "'); if (!e) return; const n = e.firstChild; const r = "
                               "document.createRange(); r.setStart(n, " +
                               std::to_string(from) +
                               "); r.setEnd(n, n.length); getSelection().removeAllRanges(); "
                               "getSelection().addRange(r); })()";
    for (int attempt = 0; attempt < 100 && pane->selectedText() != expected; ++attempt) {
      inPage(script);
      QTest::qWait(50);
    }
    ASSERT_EQ(pane->selectedText(), expected);
  }

  QPushButton& take(int field) const {
    return *window->findChild<QPushButton*>(QStringLiteral("teachTake%1").arg(field));
  }

  quillon::testing::TemporaryFolder data;
  cli::testing::FixtureServer server;
  testing::ScriptedDialogs dialogs;
  WebBrowserPane* pane = nullptr;
  webengine::WebEngineBrowser* web = nullptr;
  std::unique_ptr<TfrmVeskel> window;
};

Rows fixtureRows() {
  std::ifstream in(std::string(QUILLON_FIXTURES) + "/profile/rows.json", std::ios::binary);
  Rows rows = nlohmann::json::parse(in).get<Rows>();
  std::sort(rows.begin(), rows.end());
  return rows;
}

TEST_F(WindowTeach, TeachesBySelectionSavesAndCapturesWithTheProfile) {
  // A saved file that the JSON library cannot read is named under the list, in our words.
  const auto folder = data.path() / "quillon" / "profiles";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "huge.json")
      << R"({"name":"x","listing":"article","fields":{"name":{"selector":"h2"}},"x":1e99999})";
  open("/profile/page1.html");
  // Before any set-up, the hint panel says what "Capture any site" finds on the page.
  EXPECT_EQ(window->statusPanels().panelText(StatusBar::kHintPanel).toStdString(),
            "4 listings found: Name, Activity, Street, Postal code, Locality, Web, E-mail");
  window->teachButton().click();
  TeachPanel& panel = window->teachPanel();
  ASSERT_TRUE(panel.isVisible());
  EXPECT_TRUE(dialogs.errors.empty());
  EXPECT_EQ(panel.profileList().count(), 1);
  EXPECT_FALSE(panel.profileProblems().isHidden());
  EXPECT_EQ(panel.profileProblems().text().toStdString(),
            "A saved profile does not read and is left out:\nprofile " +
                (folder / "huge.json").string() + ": a number is too large: '1e99999'");
  EXPECT_TRUE(window->teachButton().isChecked());
  // The panel opens with the fields of the first card that detection finds.
  EXPECT_EQ(panel.fieldEdit(0).text(), QStringLiteral("Casa Pepe"));
  EXPECT_EQ(panel.fieldEdit(5).text(), QStringLiteral("28013"));
  EXPECT_EQ(panel.fieldEdit(3).text(), QString());  // behind "Ver teléfono"
  EXPECT_EQ(panel.statusLabel().text(),
            QStringLiteral("4 listings on this page (more behind \"load more\")."));
  EXPECT_TRUE(panel.saveButton().isEnabled());

  select(".card__title a", QStringLiteral("Casa Pepe"));
  take(0).click();
  EXPECT_EQ(panel.fieldEdit(0).text(), QStringLiteral("Casa Pepe"));
  EXPECT_EQ(panel.statusLabel().text(),
            QStringLiteral("4 listings on this page (more behind \"load more\")."));
  ASSERT_EQ(panel.preview().topLevelItemCount(), 4);
  EXPECT_EQ(panel.preview().topLevelItem(1)->text(0), QStringLiteral("La Taberna del Puerto"));

  select(".card__category", QStringLiteral("Restaurante"));
  take(1).click();
  select(".card__street", QStringLiteral("Calle Mayor 5"));
  take(4).click();
  // The user shows the first telephone and takes the number without its label.
  inPage("document.querySelector('.card__reveal').click()");
  select(".card__phone", QStringLiteral("91 555 12 34"), 5);
  take(3).click();
  panel.fieldEdit(5).selectAll();
  QTest::keyClicks(&panel.fieldEdit(5), QStringLiteral("28013"));
  panel.fieldEdit(6).selectAll();
  QTest::keyClicks(&panel.fieldEdit(6), QStringLiteral("Madrid"));
  // A "Sitio web" link shows no address: the user types the one it leads to.
  panel.fieldEdit(8).selectAll();
  QTest::keyClicks(&panel.fieldEdit(8), QStringLiteral("www.casapepe.example"));
  panel.fieldEdit(9).selectAll();
  QTest::keyClicks(&panel.fieldEdit(9), QStringLiteral("hola@casapepe.example"));
  QTest::keyClicks(&panel.fieldEdit(TeachPanel::kNextField), QStringLiteral("Adelante"));
  EXPECT_TRUE(panel.session().ready()) << panel.statusLabel().text().toStdString();
  EXPECT_EQ(panel.preview().topLevelItem(0)->text(1), QStringLiteral("91 555 12 34"));
  EXPECT_EQ(panel.preview().topLevelItem(0)->text(2), QStringLiteral("Madrid"));
  EXPECT_EQ(panel.session().result().profile.reveal, "button.card__reveal");
  // Beside each field, how many of the page's listings it fills; the telephone shows in the
  // one listing whose button the user clicked.
  EXPECT_EQ(panel.fillLabel(0).text(), QStringLiteral("4 of 4"));
  EXPECT_EQ(panel.fillLabel(3).text(), QStringLiteral("1 of 4"));
  EXPECT_EQ(panel.fillLabel(8).text(), QStringLiteral("3 of 4"));
  EXPECT_EQ(panel.fillLabel(2).text(), QString());

  ASSERT_TRUE(panel.saveButton().isEnabled());
  panel.saveButton().click();
  EXPECT_TRUE(dialogs.errors.empty());
  const auto file = data.path() / "quillon" / "profiles" / "127.0.0.1.json";
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(panel.profileList().currentText(), QStringLiteral("127.0.0.1 (for this site)"));

  panel.captureButton().click();  // returns when the run is over
  EXPECT_TRUE(dialogs.errors.empty()) << dialogs.errors.front().text.toStdString();
  EXPECT_EQ(testing::sortedTableRows(window->table()), fixtureRows());
  EXPECT_FALSE(window->captureController().isRunning());
  EXPECT_TRUE(window->teachButton().isEnabled());
}

}  // namespace
}  // namespace quillon::shell
