// The fixture sites must agree with the rule sets: the expected page text of every
// fixture page, cut into blocks and parsed, gives the rows listed in the site's rows.tsv.

#include "capture/PageCut.h"
#include "parsers/Finders.h"
#include "parsers/ListingRow.h"
#include "parsers/Site.h"
#include "text/Cp1252.h"
#include "text/Utf8.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace quillon::capture {
namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string fixture(const std::string& relative) {
  return std::string(QUILLON_FIXTURES) + "/" + relative;
}

// rows.tsv: one row per line, ten UTF-8 cells; returned as cp1252 cells.
std::vector<std::vector<std::string>> expectedRows(const std::string& site) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(readFile(fixture(site + "/rows.tsv")));
  std::string line;
  while (std::getline(lines, line)) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
      cells.push_back(text::utf8ToCp1252(line.substr(start, tab - start)));
    }
    cells.push_back(text::utf8ToCp1252(line.substr(start)));
    rows.push_back(std::move(cells));
  }
  return rows;
}

// The Italian e-mail lookup, done on the fixture copy of the listing page.
std::string lookedUpEmail(const std::string& url) {
  constexpr std::string_view kBase = "http://";
  if (url.empty()) return {};
  const std::string page = readFile(fixture("it/" + url.substr(kBase.size())));
  return parsers::FindEmail(page);
}

class FixtureRows : public ::testing::TestWithParam<const char*> {};

TEST_P(FixtureRows, PageTextsParseIntoTheExpectedRows) {
  const std::string code = GetParam();
  const parsers::Site site = *parsers::siteFromCode(code);
  std::vector<std::vector<std::string>> rows;
  std::set<std::pair<std::string, std::string>> seen;  // (phone, name) of rows added
  int nameless = 0;
  for (int page = 1; page <= 3; ++page) {
    const std::string bytes =
        readFile(fixture(code + "/page" + std::to_string(page) + ".expected.txt"));
    ASSERT_FALSE(bytes.empty()) << code << " page " << page;
    forEachBlock(text::cp1252ToUtf16(bytes), [&](std::u16string_view block) {
      const parsers::ListingRow row = parsers::parseListingBlock(site, std::u16string(block));
      if (row.name.empty()) {
        ++nameless;
        return;
      }
      const std::string name = text::utf16ToCp1252(row.name);
      const std::string phone = text::utf16ToCp1252(row.phone);
      if (!phone.empty() && !seen.insert({phone, name}).second) return;
      std::vector<std::string> cells{name};
      for (const auto& column : row.columns) cells.push_back(text::utf16ToCp1252(column));
      cells.push_back(site == parsers::Site::IT ? lookedUpEmail(text::utf16ToCp1252(row.url))
                                                : std::string());
      rows.push_back(std::move(cells));
    });
  }
  EXPECT_EQ(rows, expectedRows(code));
  // Every page has a block before its first listing, and every site a listing without
  // a name (the first block of a page that begins with its separator has none either).
  EXPECT_GE(nameless, 4);
}

INSTANTIATE_TEST_SUITE_P(Sites, FixtureRows, ::testing::Values("es", "it", "au", "ca"));

}  // namespace
}  // namespace quillon::capture
