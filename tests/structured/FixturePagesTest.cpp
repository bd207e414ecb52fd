// The pages of tests/fixtures/auto (and the schema.org page of tests/fixtures/real) read as
// fetched pages: their rows equal the rows written beside them, the next-page links join them
// into a circle, the summary page leads to its detail pages.

#include "StructuredTestSupport.h"
#include "structured/Extraction.h"
#include "structured/HtmlPageReader.h"
#include "structured/NextPage.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace quillon::structured {
namespace {

using testing::readFixture;

// Served as from a local server, as the capture tests serve the folder.
constexpr const char* kFolder = "http://127.0.0.1:8080/auto/";

using Rows = std::vector<std::array<std::string, kColumnCount>>;

PageData fixturePage(const std::string& name) {
  const std::string html = readFixture("auto/" + name);
  EXPECT_FALSE(html.empty()) << name;
  return readHtmlPage(html, kFolder + name);
}

// rows.json: ten strings per row.
Rows expectedRows(const std::string& path) {
  Rows rows;
  for (const auto& row : nlohmann::json::parse(readFixture(path))) {
    std::array<std::string, kColumnCount> columns;
    for (std::size_t i = 0; i < kColumnCount; ++i) columns[i] = row.at(i).get<std::string>();
    rows.push_back(columns);
  }
  return rows;
}

Rows rowsOf(const std::vector<Listing>& listings) {
  Rows rows;
  for (const Listing& listing : listings) rows.push_back(listing.columns);
  return rows;
}

class FixturePage : public ::testing::TestWithParam<const char*> {};

TEST_P(FixturePage, RowsEqualTheRowsWrittenBesideIt) {
  const std::string page = GetParam();
  const Extraction e = extractListings(fixturePage(page + ".html"));
  EXPECT_EQ(rowsOf(e.listings), expectedRows("auto/" + page + ".rows.json"));
  EXPECT_TRUE(e.summaryUrls.empty());
}

INSTANTIATE_TEST_SUITE_P(Auto, FixturePage, ::testing::Values("page1", "page2", "page3"));

TEST(FixturePages, OnlyTheBrokenBlockOfPageOneIsNamed) {
  const Extraction e = extractListings(fixturePage("page1.html"));
  ASSERT_EQ(e.warnings.size(), 1u);
  EXPECT_EQ(e.warnings[0].rfind(std::string("JSON-LD block 3 of ") + kFolder + "page1.html", 0),
            0u);
}

TEST(FixturePages, NextLinksLeadRoundToTheFirstPage) {
  std::set<std::string> read;
  std::string url = std::string(kFolder) + "page1.html";
  std::vector<std::string> visited;
  for (int step = 0; step < 5; ++step) {
    read.insert(url);
    visited.push_back(url.substr(url.rfind('/') + 1));
    const std::optional<std::string> next = findNextPage(fixturePage(visited.back()), read);
    if (!next) break;
    url = *next;
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"page1.html", "page2.html", "page3.html"}));
  EXPECT_EQ(findNextPage(fixturePage("page3.html"), {}), std::string(kFolder) + "page1.html");
}

TEST(FixturePages, SummaryPageRowsComeFromItsDetailPages) {
  const Extraction summary = extractListings(fixturePage("summary.html"));
  EXPECT_TRUE(summary.listings.empty());
  ASSERT_EQ(summary.summaryUrls,
            (std::vector<std::string>{std::string(kFolder) + "detail-1.html",
                                      std::string(kFolder) + "detail-2.html",
                                      std::string(kFolder) + "detail-3.html"}));
  std::vector<Listing> listings;
  for (const std::string& url : summary.summaryUrls) {
    const std::optional<Listing> listing =
        detailListing(fixturePage(url.substr(url.rfind('/') + 1)), summary.directory);
    ASSERT_TRUE(listing.has_value()) << url;
    listings.push_back(*listing);
  }
  EXPECT_EQ(rowsOf(listings), expectedRows("auto/summary.rows.json"));
  EXPECT_NE(pageSignature(summary), pageSignature(extractListings(fixturePage("page1.html"))));
}

// A directory's list whose every url is its own page of the business, served from elsewhere
// than its canonical host: the web column holds only the businesses' own sites.
TEST(FixturePages, TheDirectorysOwnPagesAreNoWebsites) {
  const PageData page = readHtmlPage(readFixture("real/fr-plombiers-schema.html"),
                                     "http://127.0.0.1:8080/real/fr-plombiers-schema.html");
  EXPECT_EQ(page.language, "fr");
  EXPECT_EQ(rowsOf(extractListings(page).listings),
            expectedRows("real/fr-plombiers-schema.rows.json"));
}

}  // namespace
}  // namespace quillon::structured
