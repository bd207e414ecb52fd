// Which e-mail searches a new row gets, and where each result goes.

#include "capture/RowEmails.h"
#include "results/ResultsTable.h"
#include "support/FakeEmailSearches.h"

#include <gtest/gtest.h>

namespace quillon::capture {
namespace {

struct RowEmailsTest : ::testing::Test {
  results::ResultsTable table{results::NameCollator("en_US")};
  testing::FakeEmailSearches searches;

  results::RowHandle row(std::vector<std::string> subItems) {
    return table.AddRow("Name " + std::to_string(table.Count()), std::move(subItems));
  }
};

const std::vector<std::string> kEight = {"a", "", "1", "s", "z", "c", "", "www.site.test"};

TEST_F(RowEmailsTest, TheListingPageLookupAppendsItsResultEvenWhenEmpty) {
  const EmailRule italian{true, true, 9};
  const auto found = row(kEight);
  const auto none = row(kEight);
  const auto noWeb = row({"a", "", "2"});
  searches.answer = [n = 0](const std::string&) mutable { return n++ == 0 ? "a@b.it" : ""; };
  for (const auto each : {found, none, noWeb}) startEmailSearches(table, searches, each, italian);
  EXPECT_EQ(searches.lookups, (std::vector<std::string>{"www.site.test", "www.site.test"}));
  EXPECT_TRUE(searches.websites.empty());  // the lookup's rule, not the website search
  searches.wait();
  EXPECT_EQ(table.Cell(found, 9), "a@b.it");
  EXPECT_EQ(table.SubItemCount(none), 9);
  EXPECT_EQ(table.SubItemCount(noWeb), 3);
}

TEST_F(RowEmailsTest, AWebsiteSearchFillsColumnNineOfRowsWithoutAnEmail) {
  searches.answer = [](const std::string& url) { return "info@" + url; };
  // A Canadian row whose own e-mail (column 7) is there gets no search.
  std::vector<std::string> withEmail = kEight;
  withEmail[6] = "own@site.test";
  const auto canadian = row(withEmail);
  const auto canadianBare = row(kEight);
  std::vector<std::string> nine = kEight;
  nine.push_back("");  // an auto row: ten columns, the e-mail empty
  const auto autoRow = row(nine);
  startEmailSearches(table, searches, canadian, {false, true, 7});
  startEmailSearches(table, searches, canadianBare, {false, true, 7});
  startEmailSearches(table, searches, autoRow, {false, true, 9});
  startEmailSearches(table, searches, row(kEight), {false, false, 9});  // not asked for
  EXPECT_EQ(searches.websites.size(), 2u);
  searches.wait();
  EXPECT_EQ(table.Cell(canadian, 9), "");
  EXPECT_EQ(table.Cell(canadianBare, 9), "info@www.site.test");
  EXPECT_EQ(table.Cell(autoRow, 9), "info@www.site.test");
  EXPECT_EQ(table.SubItemCount(autoRow), 9);
}

TEST_F(RowEmailsTest, AResultForARowDeletedOrAlreadyFilledIsDropped) {
  searches.answer = [](const std::string&) { return std::string("late@site.test"); };
  const auto gone = row(kEight);
  std::vector<std::string> nine = kEight;
  nine.push_back("");
  const auto edited = row(nine);
  startEmailSearches(table, searches, gone, {false, true, 9});
  startEmailSearches(table, searches, edited, {false, true, 9});
  table.DeleteSelectedRows({table.IndexOf(gone)});
  table.SetCell(table.IndexOf(edited), 9, "typed@site.test");  // the user was quicker
  searches.wait();
  EXPECT_EQ(table.Count(), 1);
  EXPECT_EQ(table.Cell(edited, 9), "typed@site.test");
}

}  // namespace
}  // namespace quillon::capture
