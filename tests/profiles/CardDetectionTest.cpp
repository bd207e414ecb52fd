// Detection of listing cards on parsed fixture pages (no browser, no script runs): the cards,
// the boxes left out, each column's element, and answers on hostile pages.

#include "HtmlTree.h"
#include "SyntheticCardPages.h"
#include "profiles/CardDetection.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace quillon::profiles {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using testing::HtmlTree;

// A page of the detection fixtures, on the loopback address a capture test serves it from.
PageTree detectPage(const std::string& path) {
  return HtmlTree::file(std::string(QUILLON_FIXTURES) + "/detect/" + path,
                        "http://127.0.0.1:8080/detect/" + path);
}

Rows rowsOf(const TeachResult& result) {
  Rows rows;
  for (const auto& row : result.rows) rows.emplace_back(row.columns.begin(), row.columns.end());
  return rows;
}

// The rows of the folder's rows.json that carry the names given.
Rows expectedRows(const std::string& site, const Rows& read) {
  std::ifstream in(std::string(QUILLON_FIXTURES) + "/detect/" + site + "/rows.json");
  const Rows all = nlohmann::json::parse(in).get<Rows>();
  Rows rows;
  for (const auto& row : read) {
    for (const auto& expected : all) {
      if (expected[0] == row[0]) rows.push_back(expected);
    }
  }
  return rows;
}

TEST(CardDetection, ReadsEveryCardOfPagesWithoutStructuredDataIntoTheRightColumns) {
  for (const char* page : {"it/page1.html", "it/page2.html", "de/page1.html", "de/page2.html",
                           "au/page2.html", "fr/page2.html"}) {
    const TeachResult result = detectProfile(detectPage(page));
    ASSERT_TRUE(result.ok) << page << ": " << result.problem;
    const std::string site = std::string(page).substr(0, 2);
    const Rows read = rowsOf(result);
    EXPECT_EQ(read, expectedRows(site, read)) << page;
    EXPECT_EQ(static_cast<std::size_t>(result.listingCount), read.size()) << page;
  }
}

TEST(CardDetection, ChoosesEachColumnByKindAndSaysHowManyCardsItFills) {
  const TeachResult table = detectProfile(detectPage("it/page1.html"));
  ASSERT_TRUE(table.ok);
  // Rows of a table-like layout, the heading row left out; the name is the row's link.
  EXPECT_EQ(table.profile.listing, "div[data-scheda]");
  EXPECT_EQ(table.profile[Column::Name]->selector, "div.cella > a");
  EXPECT_EQ(table.profile[Column::Url]->attribute, "href");
  EXPECT_EQ(fillLine(table, Column::Url), "Web: 3 of 4 listings");
  EXPECT_FALSE(table.profile[Column::Activity]);  // no class names one

  const TeachResult cards = detectProfile(detectPage("de/page1.html"));
  ASSERT_TRUE(cards.ok);
  EXPECT_EQ(cards.profile.listing, "li.treffer");
  EXPECT_EQ(cards.profile[Column::Activity]->selector, "p.treffer__branche");
  EXPECT_EQ(cards.profile[Column::PostalCode]->selector, "span.plz");
  EXPECT_EQ(cards.profile[Column::Locality]->selector, "span.ort");  // beside the code
  // "Tel. 030 78954321": the number is cut out by its shape.
  EXPECT_FALSE(cards.profile[Column::Telephone]->pattern.empty());
  EXPECT_EQ(fillLine(cards, Column::Email), "E-mail: 2 of 3 listings");
  EXPECT_TRUE(cards.profile.next.empty());  // the auto mode's next-page rules
}

TEST(CardDetection, LeavesOutAdvertisementsTipsAndRelatedSearches) {
  // A sponsored card shares the cards' look and attribute: a class of its own keeps it out;
  // the tips box between the cards lacks the cards' attribute.
  const TeachResult au = detectProfile(detectPage("au/page1.html"));
  ASSERT_TRUE(au.ok);
  EXPECT_EQ(au.profile.listing, "div[data-cardposition]:not(.listing--sponsored)");
  EXPECT_EQ(au.listingCount, 3);
  EXPECT_EQ(au.profile.loadMore, "button.Results-more");
  // A tips box in the list and a "related searches" box beside it give no card.
  const TeachResult de = detectProfile(detectPage("de/page1.html"));
  ASSERT_TRUE(de.ok);
  for (const auto& row : rowsOf(au)) EXPECT_NE(row[0], "Tropical Pipe Deals");
  EXPECT_EQ(de.listingCount, 3);
  // Cards of a paid box in the same look and without a class of their own are read, and said.
  const TeachResult ads = detectProfile(HtmlTree::parse(
      "<html lang='es'><body><ul>"
      "<li class='r'><h2>Fontanería Sol</h2><a href='tel:+34915550101'>91 555 01 01</a></li>"
      "<li class='r'><h2>Fontanería Luna</h2><a href='tel:+34915550102'>91 555 01 02</a></li>"
      "<li class='r'><span>Anuncio</span><h2>Ofertas Tubo</h2>"
      "<a href='tel:+34915550103'>91 555 01 03</a></li></ul></body></html>",
      "https://g.example/"));
  ASSERT_TRUE(ads.ok);
  EXPECT_EQ(ads.listingCount, 2);
  ASSERT_EQ(ads.notes.size(), 1u);
  EXPECT_NE(ads.notes[0].find("1 boxes"), std::string::npos);
}

TEST(CardDetection, FindsTheButtonThatShowsAHiddenTelephone) {
  PageTree tree = detectPage("mx/page1.html");
  const TeachResult hidden = detectProfile(tree);
  ASSERT_TRUE(hidden.ok);
  EXPECT_FALSE(hidden.profile[Column::Telephone]);
  EXPECT_EQ(hidden.profile.reveal, "button[data-id]");
  // The page as its script shows it after the clicks: a tel: link in place of each button.
  for (TreeElement& element : tree.elements) {
    if (!element.hasClass("btn-telefono")) continue;
    element.tag = "a";
    element.classes = {"telefono"};
    element.attributes = {{"href", "tel:+525551234567"}};
    element.text = "55 5123 4567";
  }
  const TeachResult shown = detectProfile(tree);
  ASSERT_TRUE(shown.ok);
  EXPECT_EQ(fillLine(shown, Column::Telephone), "Telephone: 3 of 3 listings");
  EXPECT_TRUE(shown.profile.reveal.empty());  // nothing left to click
  EXPECT_EQ(shown.rows[0][Column::Region], "CDMX");
  EXPECT_EQ(shown.rows[2][Column::Locality], "Monterrey");
}

TEST(CardDetection, SaysWhenAPageHasNoListings) {
  const auto problem = [](const PageTree& tree) { return detectProfile(tree).problem; };
  EXPECT_EQ(problem(PageTree{}), kNoListingsFound);
  // Names alone (a summary page), navigation, and a page of advertisements only.
  EXPECT_EQ(problem(HtmlTree::file(std::string(QUILLON_FIXTURES) + "/auto/summary.html",
                                   "https://g.example/")),
            kNoListingsFound);
  EXPECT_EQ(problem(testing::cardPage({.cards = 0, .filler = 40})), kNoListingsFound);
  EXPECT_EQ(problem(testing::cardPage({.cards = 30, .adsOnly = true})), kNoListingsFound);
}

TEST(CardDetection, AnswersOnLargeDeepAndCrowdedPages) {
  // 20,000 elements; cards under 3,000 levels of markup; cards of 500 links each.
  const TeachResult large = detectProfile(testing::cardPage({.cards = 2500, .filler = 2000}));
  ASSERT_TRUE(large.ok);
  EXPECT_EQ(large.listingCount, 2500);
  const TeachResult deep = detectProfile(testing::cardPage({.cards = 20, .nesting = 3000}));
  ASSERT_TRUE(deep.ok);
  EXPECT_EQ(deep.listingCount, 20);
  const TeachResult crowded = detectProfile(testing::cardPage({.cards = 40, .links = 500}));
  ASSERT_TRUE(crowded.ok);
  EXPECT_EQ(fillLine(crowded, Column::Telephone), "Telephone: 40 of 40 listings");
  EXPECT_EQ(crowded.rows[7][Column::Url], "https://fontaneria7.example.es/");
}

}  // namespace
}  // namespace quillon::profiles
