// A journalled capture killed (SIGKILL) at chosen moments and resumed each time ends with
// exactly the rows of an uninterrupted run. The tool runs as a real process; the test
// server tells when the browser asks for a page, so the kills land where intended.

#include "CliRun.h"
#include "FixtureServer.h"
#include "JsonRows.h"
#include "KilledTool.h"
#include "cli/Command.h"
#include "support/TemporaryFolder.h"

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace quillon::cli {
namespace {

using namespace std::chrono_literals;
using Rows = std::vector<std::vector<std::string>>;
using testing::kTool;
using testing::runAndKillWhen;

Rows sorted(Rows rows) {
  for (auto& row : rows) row.resize(10);
  std::sort(rows.begin(), rows.end());
  return rows;
}

// A three-page search whose pages each hold a listing without a telephone (kept every time
// by the duplicate rule, so a page read twice shows), with page 2 answered slowly so that a
// kill can land while it loads; the server counts the requests for each page.
class SlowSite {
 public:
  SlowSite() {
    server.routes().set_pre_routing_handler([this](const auto& request, auto&) {
      if (request.path == "/auto/resume-1.html") ++page1Requests;
      if (request.path == "/auto/resume-2.html") {
        ++page2Requests;
        std::this_thread::sleep_for(1500ms);
      }
      if (request.path == "/auto/resume-3.html") ++page3Requests;
      return httplib::Server::HandlerResponse::Unhandled;
    });
    server.start();
  }
  QStringList start(const std::string& journal) const {
    return {QStringLiteral("capture"),   QStringLiteral("--site"),
            QStringLiteral("auto"),      QString::fromStdString(server.url("/auto/resume-1.html")),
            QStringLiteral("--journal"), QString::fromStdString(journal)};
  }
  testing::FixtureServer server;
  std::atomic<int> page1Requests{0};
  std::atomic<int> page2Requests{0};
  std::atomic<int> page3Requests{0};
};

// Runs the tool to its end and returns the rows written.
Rows rowsOf(const QStringList& args) {
  QProcess tool;
  tool.start(kTool, args);
  EXPECT_TRUE(tool.waitForFinished(120'000));
  EXPECT_EQ(tool.exitCode(), kExitOk) << tool.readAllStandardError().toStdString();
  Rows rows;
  EXPECT_TRUE(testing::parseJsonRows(tool.readAllStandardOutput().toStdString(), rows));
  return rows;
}

Rows resume(const std::string& journal) {
  return rowsOf(
      {QStringLiteral("capture"), QStringLiteral("--resume"), QString::fromStdString(journal)});
}

std::string summaryOf(const std::string& journal) {
  const auto summary = testing::runWith({"journal", journal});
  EXPECT_EQ(summary.status, kExitOk) << summary.err;
  return summary.out;
}

TEST(JournalResume, KilledRunsResumeToTheRowsOfAnUninterruptedRun) {
  SlowSite site;
  quillon::testing::TemporaryFolder folder;
  const Rows expected = sorted(rowsOf(site.start(folder.file("whole.qjournal"))));
  ASSERT_EQ(expected.size(), 6u);  // the listing without a telephone once per page

  // 1. Killed right after the report of page 1: the page is in the journal, and the resume
  // goes on at page 2 without asking for page 1 again.
  const std::string first = folder.file("first.qjournal");
  runAndKillWhen(site.start(first),
                 [](const QString& err) { return err.contains(QStringLiteral("page 1: ")); });
  EXPECT_NE(summaryOf(first).find("pages read: 1\n"), std::string::npos) << summaryOf(first);
  int page1Before = site.page1Requests;
  EXPECT_EQ(sorted(resume(first)), expected);
  EXPECT_EQ(site.page1Requests, page1Before);

  // 2. Killed while page 2 loads: page 1 is in the journal all the same. The resumed run is
  // killed again on page 3's way, and the next resume ends it.
  const std::string second = folder.file("second.qjournal");
  const int page2Before = site.page2Requests;
  runAndKillWhen(site.start(second),
                 [&](const QString&) { return site.page2Requests > page2Before; });
  EXPECT_NE(summaryOf(second).find("pages read: 1\n"), std::string::npos) << summaryOf(second);
  page1Before = site.page1Requests;
  const int page3Before = site.page3Requests;
  runAndKillWhen(
      {QStringLiteral("capture"), QStringLiteral("--resume"), QString::fromStdString(second)},
      [&](const QString&) { return site.page3Requests > page3Before; });
  EXPECT_EQ(sorted(resume(second)), expected);
  EXPECT_EQ(site.page1Requests, page1Before);

  // 3. A run resumed after it ended only writes its rows; the journal says what it holds,
  // and a new run does not write over it.
  EXPECT_EQ(sorted(resume(second)), expected);
  const std::string summary = summaryOf(second);
  EXPECT_NE(summary.find("pages read: 3\n"), std::string::npos) << summary;
  EXPECT_NE(summary.find("run: ended (no next page)"), std::string::npos) << summary;
  const auto again = testing::runWith(
      {"capture", "--site", "auto", site.server.url("/auto/resume-1.html"), "--journal", second});
  EXPECT_EQ(again.status, kExitFailure);
  EXPECT_NE(again.err.find("already holds a run"), std::string::npos) << again.err;
  EXPECT_EQ(testing::runWith({"capture", "--resume", second, "--site", "es"}).status, kExitUsage);
}

}  // namespace
}  // namespace quillon::cli
