// A batch of searches in the journal: its list, each search's state and the run that holds
// its pages; a format 2 journal read as it is, and converted when it is opened to be written.

#include "JournalTestSupport.h"
#include "journal/JournalSummary.h"
#include "journal/SqliteDatabase.h"

#include <gtest/gtest.h>

namespace quillon::journal {
namespace {

using namespace testing;

SearchRecord search(int position, SearchState state = SearchState::Waiting, std::string reason = {},
                    int rowsBefore = 0, int rows = 0) {
  SearchRecord record;
  record.position = position;
  record.address = "https://a.test/s?where=" + std::to_string(position);
  record.state = state;
  record.reason = std::move(reason);
  record.rowsBefore = rowsBefore;
  record.rows = rows;
  return record;
}

TEST(JournalBatch, EachSearchIsARunUnderTheBatchAndAStartedSearchGoesOnInIt) {
  TempFolder folder;
  const std::string path = folder.file("batch.qjournal");
  const BatchStart start{"auto", {{"max-pages", "2"}}, 5, "2/2"};
  const PageRecord page1{1, search(2).address, "sig-1", "https://a.test/p2"};
  const PageRecord page2{2, "https://a.test/p2", "sig-2", ""};
  {
    Journal journal(path);
    EXPECT_EQ(journal.lastBatch(), std::nullopt);
    journal.startBatch(start, {search(2), search(4)});
    journal.startSearch(2, 0);
    EXPECT_EQ(
        journal.lastRun(),
        (RunRecord{{"auto", search(2).address, start.options}, {}, search(2).address, false, ""}));
    journal.beginPage();
    journal.commitPage(page1);
    journal.endRun("Stop");
    journal.endSearch(search(2, SearchState::Unfinished, "Stop", 0, 3));
  }
  Journal journal(path);
  BatchRecord expected{start, {search(2, SearchState::Unfinished, "Stop", 0, 3), search(4)}, false};
  expected.searches[0].pages = {page1};
  EXPECT_EQ(journal.lastBatch(), expected);

  journal.startSearch(2, 0);  // the same run, open again
  EXPECT_FALSE(journal.lastRun()->ended);
  journal.beginPage();
  journal.commitPage(page2);
  journal.endRun("no next page");
  journal.endSearch(search(2, SearchState::ReadToItsEnd, "no next page", 0, 5));
  journal.startSearch(4, 5);
  // A search that fails ends its run with the reason.
  journal.endSearch(search(4, SearchState::Failed, "could not load X: HTTP status 404", 5, 0));
  EXPECT_EQ(journal.lastRun()->endReason, "could not load X: HTTP status 404");
  EXPECT_TRUE(journal.lastRun()->ended);
  EXPECT_FALSE(journal.lastBatch()->ended);
  journal.endBatch();
  expected = {start,
              {search(2, SearchState::ReadToItsEnd, "no next page", 0, 5),
               search(4, SearchState::Failed, "could not load X: HTTP status 404", 5, 0)},
              true};
  expected.searches[0].pages = {page1, page2};
  EXPECT_EQ(journal.lastBatch(), expected);
  EXPECT_THROW(journal.startSearch(2, 0), std::logic_error);  // the batch ended
}

TEST(JournalBatch, TheSummaryListsTheSearchesAndTheNextOne) {
  TempFolder folder;
  const std::string path = folder.file("batch.qjournal");
  {
    Journal journal(path);
    journal.startBatch({"es", {}, 3, ""}, {search(1), search(2), search(3)});
    journal.startSearch(1, 0);
    journal.endSearch(search(1, SearchState::ReadToItsEnd, "no next page", 0, 12));
    journal.startSearch(2, 12);
    journal.endSearch(search(2, SearchState::Failed, "could not load", 12, 0));
    journal.startSearch(3, 12);
  }
  EXPECT_EQ(summaryText(summarizeJournal(path)),
            "journal: " + path +
                "\nrows: 0\n"
                "site: es\n"
                "batch: 3 searches of a list of 3\n"
                "  search 1: read to its end (no next page), 12 rows: https://a.test/s?where=1\n"
                "  search 2: failed (could not load), 0 rows: https://a.test/s?where=2\n"
                "  search 3: not read to its end, 0 pages read: https://a.test/s?where=3\n"
                "batch: not ended; next search: 3\n");
}

// The journal of the version before batches: read as it is, converted once it is written.
TEST(JournalBatch, AFormat2JournalIsReadAsItIsAndTakesABatchOnceOpened) {
  TempFolder folder;
  const std::string path = folder.file("old.qjournal");
  auto table = newTable();
  {
    Journal journal(path);
    journal.attach(*table);
    journal.startRun({"es", "https://a.test/1", {}});
    table->AddRow("Café", {"Bares", "", "912 000 000"});
    journal.detach();
  }
  {
    SqliteDatabase database(path, false);
    database.execute(
        "DROP TABLE batches; DROP TABLE batch_options; DROP TABLE searches; "
        "PRAGMA user_version = 2");
  }
  const std::string before = readFile(path);
  const JournalSummary summary = summarizeJournal(path);
  EXPECT_EQ(summary.rows, 1);
  EXPECT_EQ(summary.lastBatch, std::nullopt);
  EXPECT_EQ(summary.lastRun->start.startAddress, "https://a.test/1");
  EXPECT_EQ(readFile(path), before);

  {
    Journal journal(path);
    journal.startBatch({"es", {}, 1, ""}, {search(1)});
    EXPECT_EQ(journal.lastBatch()->searches.size(), 1u);
  }
  EXPECT_EQ(SqliteDatabase(path, false).queryInteger("PRAGMA user_version"), 3);
  EXPECT_EQ(restoredContents(path), contentsOf(*table));
}

}  // namespace
}  // namespace quillon::journal
