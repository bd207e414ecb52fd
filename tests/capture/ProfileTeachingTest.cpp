// Teaching on the page a browser shows: the guesses the teacher makes from the page tree
// (reveal buttons, "load more") are tried on the page, and a click that leaves it is undone.

#include "capture/ProfileTeaching.h"
#include "profiles/HtmlTree.h"
#include "support/FakeBrowser.h"
#include "text/Utf8.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace quillon::capture {
namespace {

using profiles::Column;
using testing::FakeBrowser;
using testing::ScriptedPump;

constexpr std::chrono::milliseconds kSettle{300};
const char* const kPage = "https://www.directorio-mx.example/ciudad-de-mexico/taquerias";

profiles::TeachExamples firstTaqueria() {
  std::ifstream in(std::string(QUILLON_FIXTURES) + "/real/mx-taquerias.rows.json");
  const auto rows = nlohmann::json::parse(in).get<std::vector<std::vector<std::string>>>();
  profiles::TeachExamples examples;
  for (std::size_t i = 0; i < profiles::kColumnCount; ++i) examples.values[i] = rows[0][i];
  examples[Column::Url] = "taqueriaelgueero.example.mx";
  return examples;
}

struct Page {
  FakeBrowser browser;
  ScriptedPump pump;

  explicit Page(const profiles::PageTree& tree) {
    browser.location = text::utf8ToUtf16(kPage);
    show(tree);
  }
  void show(const profiles::PageTree& tree) {
    browser.pageTreeJson = profiles::encodePageTree(tree);
  }
};

TEST(ProfileTeaching, ARevealClickThatLeavesThePageIsUndoneAndSaid) {
  Page page(profiles::testing::realPage("mx-taquerias.html", kPage));
  // This page's reveal buttons load the business's page (their script follows the card's link).
  page.browser.onClick = [&](const FakeBrowser::Click& click) {
    EXPECT_EQ(click.selector, "button.listing__reveal");
    page.browser.location = u"https://www.directorio-mx.example/negocio/taqueria-el-gueero-1001";
    return 4;
  };
  page.browser.onGoBack = [&] { page.browser.location = text::utf8ToUtf16(kPage); };
  const profiles::TeachResult result =
      teachFromPage(page.browser, page.pump, firstTaqueria(), kSettle);
  EXPECT_EQ(page.browser.backs, 1);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.problem,
            "could not place the telephone \"55 5264 1234\": no element on the page shows it");
  ASSERT_EQ(result.notes.size(), 1u);
  EXPECT_EQ(result.notes[0],
            "clicking the buttons \"button.listing__reveal\" loaded another page "
            "(https://www.directorio-mx.example/negocio/taqueria-el-gueero-1001); the teacher "
            "went back and does not use it");
}

TEST(ProfileTeaching, ALoadMoreGuessIsKeptOnlyWhenAClickShowsMoreListings) {
  Page grows(profiles::testing::revealedTaquerias());
  grows.browser.onClick = [&](const FakeBrowser::Click& click) {
    EXPECT_EQ(click.selector, "button.results__more");
    grows.show(profiles::testing::revealedTaquerias(true));
    return 1;
  };
  const profiles::TeachResult kept =
      teachFromPage(grows.browser, grows.pump, firstTaqueria(), kSettle);
  ASSERT_TRUE(kept.ok) << kept.problem;
  EXPECT_EQ(kept.profile.loadMore, "button.results__more");
  EXPECT_TRUE(kept.notes.empty());
  EXPECT_EQ(kept.profile.hosts, std::vector<std::string>{"www.directorio-mx.example"});

  Page still(profiles::testing::revealedTaquerias());
  still.browser.onClick = [](const FakeBrowser::Click&) { return 1; };
  const profiles::TeachResult dropped =
      teachFromPage(still.browser, still.pump, firstTaqueria(), kSettle);
  ASSERT_TRUE(dropped.ok) << dropped.problem;
  EXPECT_EQ(dropped.profile.loadMore, "");
  EXPECT_EQ(dropped.notes, std::vector<std::string>{
                               "the \"load more\" guess \"button.results__more\" is not kept: a "
                               "click on it showed no more listings"});
}

}  // namespace
}  // namespace quillon::capture
