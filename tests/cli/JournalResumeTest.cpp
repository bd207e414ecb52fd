// A journalled capture killed (SIGKILL) at chosen moments and resumed each time ends with
// exactly the rows of an uninterrupted run. The tool runs as a real process; the test
// server tells when the browser asks for a page, so the kills land where intended.

#include "CliRun.h"
#include "FixtureServer.h"
#include "JsonRows.h"
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

const QString kTool = QStringLiteral(QUILLON_BINARY_DIR "/src/quillon-cli");

Rows sorted(Rows rows) {
  for (auto& row : rows) row.resize(10);
  std::sort(rows.begin(), rows.end());
  return rows;
}

// The Spanish fixture search, with page 2 answered slowly so that a kill can land while it
// loads; the server counts the requests for each page.
class SlowSite {
 public:
  SlowSite() {
    server.routes().set_pre_routing_handler([this](const auto& request, auto&) {
      if (request.path == "/es/page2.html") {
        ++page2Requests;
        std::this_thread::sleep_for(1500ms);
      }
      if (request.path == "/es/page3.html") ++page3Requests;
      return httplib::Server::HandlerResponse::Unhandled;
    });
    server.start();
  }
  testing::FixtureServer server;
  std::atomic<int> page2Requests{0};
  std::atomic<int> page3Requests{0};
};

// Starts the tool and kills it as soon as `moment` holds (checked as its output comes).
void runAndKillWhen(const QStringList& args, const std::function<bool(const QString&)>& moment) {
  QProcess tool;
  tool.start(kTool, args);
  ASSERT_TRUE(tool.waitForStarted());
  QString err;
  const auto deadline = std::chrono::steady_clock::now() + 120s;
  while (tool.state() == QProcess::Running && std::chrono::steady_clock::now() < deadline) {
    tool.waitForReadyRead(20);
    err += QString::fromUtf8(tool.readAllStandardError());
    if (moment(err)) {
      tool.kill();  // SIGKILL: no handler runs, nothing is flushed
      break;
    }
  }
  tool.waitForFinished(30'000);
  ASSERT_EQ(tool.exitStatus(), QProcess::CrashExit) << "the run ended before its kill:\n"
                                                    << err.toStdString();
}

// Resumes the journal to its end and returns the rows written.
Rows resume(const std::string& journal) {
  QProcess tool;
  tool.start(kTool, {QStringLiteral("capture"), QStringLiteral("--resume"),
                     QString::fromStdString(journal)});
  EXPECT_TRUE(tool.waitForFinished(120'000));
  EXPECT_EQ(tool.exitCode(), kExitOk) << tool.readAllStandardError().toStdString();
  Rows rows;
  EXPECT_TRUE(testing::parseJsonRows(tool.readAllStandardOutput().toStdString(), rows));
  return rows;
}

TEST(JournalResume, KilledRunsResumeToTheRowsOfAnUninterruptedRun) {
  SlowSite site;
  const Rows expected =
      sorted(testing::readTsvRows(std::string(QUILLON_FIXTURES) + "/es/rows.tsv"));
  quillon::testing::TemporaryFolder folder;
  const QStringList start = {
      QStringLiteral("capture"), QStringLiteral("--site"), QStringLiteral("es"),
      QString::fromStdString(site.server.url("/es/page1.html")), QStringLiteral("--journal")};

  // 1. Page 1 read, its rows in the table, but not yet committed: it is read again.
  const std::string first = folder.file("first.qjournal");
  runAndKillWhen(start + QStringList{QString::fromStdString(first)},
                 [](const QString& err) { return err.contains(QStringLiteral("page 1: ")); });
  EXPECT_EQ(sorted(resume(first)), expected);

  // 2. Page 1 committed, page 2 loading; the resumed run is killed again on page 3's way.
  const std::string second = folder.file("second.qjournal");
  const int page2Before = site.page2Requests;
  runAndKillWhen(start + QStringList{QString::fromStdString(second)},
                 [&](const QString&) { return site.page2Requests > page2Before; });
  const int before = site.page3Requests;
  runAndKillWhen(
      {QStringLiteral("capture"), QStringLiteral("--resume"), QString::fromStdString(second)},
      [&](const QString&) { return site.page3Requests > before; });
  EXPECT_EQ(sorted(resume(second)), expected);

  // 3. A run resumed after it ended only writes its rows; the journal says what it holds,
  // and a new run does not write over it.
  EXPECT_EQ(sorted(resume(second)), expected);
  const auto summary = testing::runWith({"journal", second});
  EXPECT_EQ(summary.status, kExitOk) << summary.err;
  EXPECT_NE(summary.out.find("pages read: 3\n"), std::string::npos) << summary.out;
  EXPECT_NE(summary.out.find("run: ended (no next page)"), std::string::npos) << summary.out;
  const auto again = testing::runWith(
      {"capture", "--site", "es", site.server.url("/es/page1.html"), "--journal", second});
  EXPECT_EQ(again.status, kExitFailure);
  EXPECT_NE(again.err.find("already holds a run"), std::string::npos) << again.err;
  EXPECT_EQ(testing::runWith({"capture", "--resume", second, "--site", "es"}).status, kExitUsage);
}

}  // namespace
}  // namespace quillon::cli
