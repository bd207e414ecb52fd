// A process killed at any moment loses at most the page in progress: SIGKILL in a child
// process, at the points between and inside the two kinds of transaction (a page's, an
// edit's) and before every single WAL write of one transaction of each kind, found by
// counting the writes. Then the resume of a killed run gives the uninterrupted run's rows.

#include "ChildProcess.h"
#include "FaultyVfs.h"
#include "JournalTestSupport.h"
#include "capture/PageRows.h"
#include "text/Cp1252.h"

#include <gtest/gtest.h>

namespace quillon::journal {
namespace {

using namespace testing;
using results::ResultsTable;

// Where a session can stop: after the edit that precedes page p, in the middle of page
// p (rows added, not committed), or after page p's commit.
enum class Moment { Edited, InPage, Committed };
struct Point {
  Moment moment;
  int page;
};

// Three pages, each after a user's edit. `at` is called at every point.
void session(ResultsTable& table, Journal* journal, const std::function<void(Point)>& at) {
  for (int page = 1; page <= 3; ++page) {
    if (page == 1) {
      table.SortByColumn(2);
    } else {
      table.SetCell(0, 1, "edit " + std::to_string(page));
    }
    at({Moment::Edited, page});
    if (journal != nullptr) journal->beginPage();
    for (int i = 0; i < 6; ++i) {
      const std::string n = std::to_string(page * 10 + i);
      // The last listing has no telephone: it is never a duplicate and comes on each page.
      // A long street: a page's commit then spans several WAL frames.
      const results::RowHandle row =
          table.AddRow(i == 5 ? "No phone" : "Shop " + n,
                       {"a", "", i == 5 ? "" : "91 " + n, std::string(1500, 's')});
      if (i % 2 == 0) table.AppendSubItem(row, "mail" + n);
      if (i == 3) at({Moment::InPage, page});
    }
    if (journal != nullptr) journal->commitPage({page, "page" + std::to_string(page), "", ""});
    at({Moment::Committed, page});
  }
}

// The contents of a table that went through the session until the point.
std::vector<std::string> contentsAt(Point stop) {
  struct Stop {};
  auto table = newTable();
  try {
    session(*table, nullptr, [&](Point point) {
      if (point.moment == stop.moment && point.page == stop.page) throw Stop{};
    });
  } catch (const Stop&) {
  }
  return contentsOf(*table);
}

// The session in a child that kills itself at the point or, when `walWrite` > 0,
// before the k-th WAL write between the point and the next one (the one transaction
// made there). Returns the child's wait status.
int killedSession(const std::string& path, Point point, int walWrite) {
  return runInChild([&] {
    FaultyVfs vfs;
    auto table = newTable();
    Journal journal(path);
    journal.attach(*table);
    session(*table, &journal, [&](Point at) {
      vfs.beforeWalWrite = nullptr;
      if (at.moment != point.moment || at.page != point.page) return;
      if (walWrite == 0) ::raise(SIGKILL);
      vfs.walWrites = 0;
      vfs.beforeWalWrite = [&](int write) {
        if (write == walWrite) ::raise(SIGKILL);
      };
    });
    journal.detach();
  });
}

TEST(JournalKillTest, AKillBetweenOrInsidePagesLosesAtMostThePageInProgress) {
  TempFolder folder;
  int run = 0;
  for (int page = 1; page <= 3; ++page) {
    for (const Moment moment : {Moment::Edited, Moment::InPage, Moment::Committed}) {
      SCOPED_TRACE(std::to_string(page) + " " + std::to_string(static_cast<int>(moment)));
      const std::string path = folder.file("kill" + std::to_string(++run) + ".qjournal");
      ASSERT_TRUE(killed(killedSession(path, {moment, page}, 0)));
      // In a page, the page's rows are lost and the edit before it is kept.
      const Point kept =
          moment == Moment::InPage ? Point{Moment::Edited, page} : Point{moment, page};
      EXPECT_EQ(restoredContents(path), contentsAt(kept));
      // The count that the window's question shows (the contents' last two lines are the
      // sort and the captions).
      EXPECT_EQ(Journal(path).rowCount(), static_cast<int>(contentsAt(kept).size()) - 2);
    }
  }
}

TEST(JournalKillTest, AKillBeforeAnyWriteOfACommitLosesThatTransactionOnly) {
  TempFolder folder;
  // The edit before page 2 is one transaction, page 2 another; each is killed before
  // each of its WAL writes in turn until a child gets through without a kill.
  const std::pair<Point, Point> cases[] = {
      {{Moment::Committed, 1}, {Moment::Committed, 1}},  // the edit's commit
      {{Moment::InPage, 2}, {Moment::Edited, 2}},        // page 2's commit
  };
  int run = 0;
  std::vector<int> writesPerCase;
  for (const auto& [armAt, expected] : cases) {
    int write = 1;
    for (;; ++write) {
      SCOPED_TRACE(write);
      ASSERT_LT(write, 200);
      const std::string path = folder.file("write" + std::to_string(++run) + ".qjournal");
      const int status = killedSession(path, armAt, write);
      if (exitedNormally(status)) break;
      ASSERT_TRUE(killed(status));
      EXPECT_EQ(restoredContents(path), contentsAt(expected));
    }
    EXPECT_GE(write, 3) << "the transaction wrote to the WAL";
    writesPerCase.push_back(write - 1);
  }
  EXPECT_GT(writesPerCase[1], writesPerCase[0]) << "a page's commit writes several frames";
}

std::u16string fixturePage(int page) {
  return text::cp1252ToUtf16(readFile(std::string(QUILLON_FIXTURES) + "/es/page" +
                                      std::to_string(page) + ".expected.txt"));
}

// One capture step as the run does it, journalled.
void captureStep(ResultsTable& table, Journal& journal, int page) {
  journal.beginPage();
  capture::addPageRows(parsers::Site::ES, fixturePage(page), table);
  journal.commitPage({page, "es/page" + std::to_string(page), "sig" + std::to_string(page),
                      page < 3 ? "es/page" + std::to_string(page + 1) : ""});
}

TEST(JournalKillTest, AResumedRunGivesTheRowsOfAnUninterruptedOne) {
  auto uninterrupted = newTable();
  for (int page = 1; page <= 3; ++page) {
    capture::addPageRows(parsers::Site::ES, fixturePage(page), *uninterrupted);
  }
  ASSERT_GT(uninterrupted->Count(), 5);
  TempFolder folder;
  // Killed after page 1's commit, and in the middle of page 2 (rows added, no commit).
  for (const bool midPage : {false, true}) {
    SCOPED_TRACE(midPage);
    const std::string path = folder.file(midPage ? "mid.qjournal" : "after.qjournal");
    ASSERT_TRUE(killed(runInChild([&] {
      auto table = newTable();
      Journal journal(path);
      journal.attach(*table);
      journal.startRun({"es", "es/page1", {{"max-pages", "0"}}});
      captureStep(*table, journal, 1);
      if (midPage) {
        journal.beginPage();
        capture::addPageRows(parsers::Site::ES, fixturePage(2), *table);
      }
      ::raise(SIGKILL);
    })));

    auto resumed = newTable();
    Journal journal(path);
    journal.restore(*resumed);
    const auto run = journal.lastRun();
    ASSERT_TRUE(run);
    ASSERT_EQ(run->pages.size(), 1u);
    EXPECT_EQ(run->nextAddress, "es/page2");
    for (int page = static_cast<int>(run->pages.size()) + 1; page <= 3; ++page) {
      captureStep(*resumed, journal, page);
    }
    journal.endRun("no next page");
    journal.detach();
    EXPECT_EQ(contentsOf(*resumed), contentsOf(*uninterrupted));
  }
}

}  // namespace
}  // namespace quillon::journal
