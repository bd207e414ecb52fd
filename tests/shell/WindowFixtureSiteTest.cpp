#include "ScriptedDialogs.h"
#include "TableRows.h"
#include "capture/CaptureController.h"
#include "cli/FixtureServer.h"
#include "results/ResultsTable.h"
#include "shell/ResultsView.h"
#include "shell/StatusBar.h"
#include "shell/TfrmVeskel.h"
#include "shell/WebBrowserPane.h"
#include "support/TemporaryFolder.h"
#include "text/Cp1252.h"
#include "webengine/WebEngineBrowser.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>
#include <string>
#include <thread>
#include <vector>

// Whole capture runs through the window: the fixture site is served on 127.0.0.1, the
// window's own browser shows it, and the test clicks the buttons a user would click.

namespace quillon::shell {
namespace {

using testing::Rows;
using namespace std::chrono_literals;

Rows readTsv(const std::string& path) {
  Rows rows;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> cells;
    for (std::size_t start = 0;;) {
      const std::size_t tab = line.find('\t', start);
      cells.push_back(line.substr(start, tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    cells.resize(10);
    rows.push_back(std::move(cells));
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

Rows expectedRows(const std::string& site) {
  return readTsv(std::string(QUILLON_FIXTURES) + "/" + site + "/rows.tsv");
}

// Notes the pages of a run; after a chosen page has been turned, clicks Stop the way a
// user does, from the event loop while the next page loads.
class RunWatcher final : public capture::CaptureObserver {
 public:
  int pages = 0;
  int stopAfterPage = 0;
  QPushButton* stop = nullptr;

  void pageCaptured(int page, int, int) override { pages = page; }
  void linkFollowed(int page, const capture::PageTurn&) override {
    if (page == stopAfterPage && stop != nullptr) {
      QTimer::singleShot(0, stop, [this] { stop->click(); });
    }
  }
};

class WindowOnFixtureSite : public ::testing::Test {
 protected:
  void SetUp() override {
    server.start();
    auto pane = std::make_unique<WebBrowserPane>();
    web = &pane->webBrowser();
    window = std::make_unique<TfrmVeskel>(std::move(pane), &dialogs);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    // A page that never loads fails the test instead of holding it.
    window->captureController().setPageTimeout(60s);
    window->captureController().addObserver(watcher);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_TRUE(web->waitUntilComplete(60s));  // the home page (or its error page)
  }

  void TearDown() override {
    // For looking at the window: QUILLON_SCREENSHOT=file.png keeps a picture of it.
    const QString shot = qEnvironmentVariable("QUILLON_SCREENSHOT");
    if (!shot.isEmpty() && window != nullptr) window->grab().save(shot);
  }

  void open(const std::string& path) {
    const std::string url = server.url(path);
    // Under a loaded CI machine the first load after the home page was once seen to end
    // failed; a second try tells a passing hiccup from a page that cannot load.
    for (int attempt = 0; attempt < 2; ++attempt) {
      window->browser().Navigate(std::u16string(url.begin(), url.end()));
      ASSERT_TRUE(web->waitUntilComplete(60s));
      if (web->lastLoadSucceeded()) return;
    }
    FAIL() << "the fixture page did not load: " << web->lastLoadError();
  }

  QPushButton& button(const char* name) const {
    return *window->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  QString countPanel() const { return window->statusPanels().panelText(StatusBar::kCountPanel); }
  std::string currentPath() const { return web->page()->url().path().toStdString(); }

  void expectIdle() const {
    // A script of the phone reveal may report its end just after the run's: the title
    // then comes back from "Please wait..." a moment later.
    static_cast<void>(QTest::qWaitFor(
        [this] { return window->windowTitle() == QStringLiteral("Quillon 0.99c"); }, 5000));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillon 0.99c"));
    EXPECT_TRUE(button("btnStop").isHidden());
    EXPECT_TRUE(button("btnSave").isEnabled());
    EXPECT_TRUE(button("btncomer").isEnabled());
    EXPECT_FALSE(window->captureController().isRunning());
    EXPECT_TRUE(dialogs.errors.empty()) << dialogs.errors.front().text.toStdString();
  }

  cli::testing::FixtureServer server;
  testing::ScriptedDialogs dialogs;
  RunWatcher watcher;
  webengine::WebEngineBrowser* web = nullptr;
  std::unique_ptr<TfrmVeskel> window;
};

TEST_F(WindowOnFixtureSite, CapturesTheSpanishSearchOverAllItsPages) {
  open("/es/page1.html");
  button("btncomer").click();  // returns when the run is over
  EXPECT_EQ(watcher.pages, 3);
  EXPECT_EQ(testing::sortedTableRows(window->table()), expectedRows("es"));
  EXPECT_EQ(countPanel(), QStringLiteral(u"%1 líneas capturadas").arg(expectedRows("es").size()));
  EXPECT_EQ(window->resultsView().model()->headerData(0, Qt::Horizontal).toString(),
            QStringLiteral("Persona/Empresa"));
  EXPECT_EQ(window->resultsView().model()->rowCount(), window->table().Count());
  expectIdle();
}

TEST_F(WindowOnFixtureSite, CapturesTheItalianSearchWithTheEmailLookups) {
  // The lookups go to the directory's host on port 80, sent to a server of the test.
  httplib::Server listings;
  listings.set_mount_point("/", std::string(QUILLON_FIXTURES) + "/it/www.paginegialle.it");
  listings.set_keep_alive_max_count(1);
  const int port = listings.bind_to_any_port("127.0.0.1");
  ASSERT_GT(port, 0);
  std::thread thread([&] { listings.listen_after_bind(); });
  window->webData().setConnectTo({"www.paginegialle.it:80:127.0.0.1:" + std::to_string(port)});

  open("/it/page1.html");
  button("btnItalia").click();
  listings.stop();
  thread.join();
  EXPECT_EQ(watcher.pages, 3);
  EXPECT_EQ(testing::sortedTableRows(window->table()), expectedRows("it"));
  EXPECT_EQ(countPanel(), QStringLiteral(u"%1 líneas capturadas").arg(expectedRows("it").size()));
  EXPECT_EQ(window->resultsView().model()->headerData(4, Qt::Horizontal).toString(),
            QStringLiteral("Indirizzo "));
  expectIdle();
}

TEST_F(WindowOnFixtureSite, StopEndsTheRunAfterThePageInProgress) {
  open("/au/page1.html");
  watcher.stop = &button("btnStop");
  watcher.stopAfterPage = 1;  // Stop while page 2 loads
  button("btnAustralia").click();
  // Page 2 was still captured and turned; page 3 was loaded but not captured.
  EXPECT_EQ(watcher.pages, 2);
  ASSERT_TRUE(web->waitUntilComplete(60s));
  EXPECT_EQ(currentPath(), "/au/page3.html");
  const int afterStop = window->table().Count();
  EXPECT_GT(afterStop, 0);
  EXPECT_LT(afterStop, static_cast<int>(expectedRows("au").size()));
  EXPECT_EQ(countPanel(), QStringLiteral("%1 lines captured").arg(afterStop));
  EXPECT_FALSE(window->captureController().stopFlag());
  expectIdle();

  // The stop was consumed: the next click captures the page shown, page 3, and the
  // table then holds the whole search.
  watcher.stop = nullptr;
  button("btnAustralia").click();
  EXPECT_EQ(testing::sortedTableRows(window->table()), expectedRows("au"));
  expectIdle();
}

// A crash while page 2 loads: the window's journal, as a crash would leave it at that moment
// (its files copied), brings page 1's rows back at the next start.
TEST_F(WindowOnFixtureSite, ACrashWhilePage2LoadsRestoresPage1sRows) {
  quillon::testing::TemporaryFolder journals;
  quillon::testing::TemporaryFolder crashed;
  window->useJournal(journals.path().string());
  struct Snapshot final : capture::CaptureObserver {
    const quillon::testing::TemporaryFolder* from = nullptr;
    const quillon::testing::TemporaryFolder* to = nullptr;
    std::vector<std::string> page1Rows;
    const results::ResultsTable* table = nullptr;
    void linkFollowed(int page, const capture::PageTurn&) override {
      if (page != 1) return;
      for (const auto& entry : std::filesystem::directory_iterator(from->path())) {
        std::filesystem::copy_file(entry.path(), to->path() / entry.path().filename());
      }
      for (int row = 0; row < table->Count(); ++row) page1Rows.push_back(table->Cell(row, 0));
    }
  } snapshot;
  snapshot.from = &journals;
  snapshot.to = &crashed;
  snapshot.table = &window->table();
  window->captureController().addObserver(snapshot);
  open("/auto/resume-1.html");
  button("btnAnySite").click();
  window->captureController().removeObserver(snapshot);
  ASSERT_EQ(snapshot.page1Rows.size(), 2u);

  testing::ScriptedDialogs restarted;
  restarted.yesNoAnswers = {true};
  TfrmVeskel next(std::make_unique<WebBrowserPane>(), &restarted);
  next.useJournal(crashed.path().string());
  ASSERT_EQ(restarted.questions.size(), 1u);
  EXPECT_EQ(restarted.questions[0].text,
            QStringLiteral("Restore the 2 rows captured in the last session?"));
  std::vector<std::string> names;
  for (int row = 0; row < next.table().Count(); ++row) names.push_back(next.table().Cell(row, 0));
  EXPECT_EQ(names, snapshot.page1Rows);
}

// The user types the search's address, presses Enter and "Capture any site": the schema.org
// listings of every page come in, and the hint panel says why the run ended.
TEST_F(WindowOnFixtureSite, CapturesAnySiteFromAnAddressTheUserTyped) {
  QLineEdit& address = window->addressField();
  QTest::keySequence(window.get(), QKeySequence(QStringLiteral("Ctrl+L")));
  EXPECT_TRUE(address.hasFocus());
  const std::string url = server.url("/auto/page1.html");
  address.setText(QString::fromStdString(url.substr(std::string("http://").size())));
  address.setModified(true);
  // A bare host name goes over https, which the test server does not speak: the typed
  // address is first tried that way, then given whole.
  QTest::keyClick(&address, Qt::Key_Return);
  ASSERT_TRUE(web->waitUntilComplete(60s));
  EXPECT_EQ(currentPath(), "/auto/page1.html");
  EXPECT_EQ(web->page()->url().scheme(), QStringLiteral("https"));
  address.setText(QString::fromStdString(url));
  QTest::keyClick(&address, Qt::Key_Return);
  ASSERT_TRUE(web->waitUntilComplete(60s));
  EXPECT_EQ(address.text(), QString::fromStdString(url));

  button("btnAnySite").click();
  EXPECT_EQ(watcher.pages, 3);
  EXPECT_EQ(window->table().Count(), 10);
  EXPECT_EQ(countPanel(), QStringLiteral("10 lines captured"));
  EXPECT_EQ(window->statusPanels().panelText(StatusBar::kHintPanel),
            QStringLiteral("Capture ended: next page already read"));
  EXPECT_TRUE(address.isEnabled());
  expectIdle();
}

}  // namespace
}  // namespace quillon::shell
