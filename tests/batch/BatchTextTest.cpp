#include "batch/BatchText.h"

#include <gtest/gtest.h>

namespace quillon::batch {
namespace {

using journal::BatchRecord;
using journal::SearchRecord;
using journal::SearchState;

SearchRecord search(int position, SearchState state, int rows, std::string reason) {
  SearchRecord record;
  record.position = position;
  record.address = "https://d.example/" + std::to_string(position);
  record.state = state;
  record.rows = rows;
  record.reason = std::move(reason);
  return record;
}

TEST(BatchText, CountsCarryThousandsSeparators) {
  EXPECT_EQ(withThousands(0), "0");
  EXPECT_EQ(withThousands(999), "999");
  EXPECT_EQ(withThousands(1000), "1,000");
  EXPECT_EQ(withThousands(1912), "1,912");
  EXPECT_EQ(withThousands(123456), "123,456");
  EXPECT_EQ(withThousands(1234567), "1,234,567");
  EXPECT_EQ(withThousands(-1234), "-1,234");
}

TEST(BatchText, EachSearchSaysWhereItStartsAndHowItEnded) {
  SearchRecord third = search(3, SearchState::ReadToItsEnd, 57, "no next page");
  EXPECT_EQ(searchStartText(third, 40), "search 3 of 40: https://d.example/3");
  EXPECT_EQ(searchEndText(third), "search 3: 57 rows, stopped: no next page");
  EXPECT_EQ(searchEndText(search(4, SearchState::Failed, 0, "could not load X: HTTP status 404")),
            "search 4: 0 rows, failed: could not load X: HTTP status 404");
  EXPECT_EQ(searchEndText(search(5, SearchState::Unfinished, 1, "Stop")),
            "search 5: 1 row, interrupted: Stop");
}

TEST(BatchText, TheSummaryCountsSearchesByHowTheyEnded) {
  BatchRecord batch;
  for (int p = 1; p <= 40; ++p) {
    batch.searches.push_back(
        search(p, p == 7 || p == 21 ? SearchState::Failed : SearchState::ReadToItsEnd, 1, "x"));
  }
  EXPECT_EQ(summaryText(batch, 1912), "40 searches: 38 read to their end, 2 failed; 1,912 rows");
  EXPECT_TRUE(anySearchFailed(batch));

  batch.searches = {search(1, SearchState::ReadToItsEnd, 1, "x"),
                    search(2, SearchState::Unfinished, 0, "Stop"),
                    search(3, SearchState::Waiting, 0, "")};
  EXPECT_EQ(summaryText(batch, 1),
            "3 searches: 1 read to its end, 0 failed, 2 left to read; 1 row");
  EXPECT_FALSE(anySearchFailed(batch));
  batch.searches.resize(1);
  EXPECT_EQ(summaryText(batch, 0), "1 search: 1 read to its end, 0 failed; 0 rows");
}

}  // namespace
}  // namespace quillon::batch
