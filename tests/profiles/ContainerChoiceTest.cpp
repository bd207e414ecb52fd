// The choice of listing containers by kinds alone, as card detection calls it: no example
// values, only a heading to start from.

#include "HtmlTree.h"
#include "profiles/ContainerChoice.h"

#include <gtest/gtest.h>

namespace quillon::profiles {
namespace {

PageTree australianPage() {
  return testing::HtmlTree::file(std::string(QUILLON_FIXTURES) + "/real/au-plumbers.html",
                                 "https://www.localpages.example.com.au/find/plumbers/cairns-qld");
}

// The first element with the class and the text.
int find(const PageTree& tree, std::string_view className, std::string_view text) {
  for (std::size_t i = 0; i < tree.elements.size(); ++i) {
    if (tree.elements[i].hasClass(className) && tree.elements[i].text == text) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

TEST(ContainerChoice, TheCardsAroundAHeadingWinByTheirKindsAlone) {
  const PageTree tree = australianPage();
  const TreeKinds kinds(tree);
  const int heading = find(tree, "ListingName", "Mick's Plumbing & Gas");
  ASSERT_GE(heading, 0);
  const std::vector<ContainerChoice> ranked = rankContainers(kinds, heading, {}, {});
  ASSERT_FALSE(ranked.empty());
  // The promotion box shares the cards' class but holds no name and no other kind.
  EXPECT_EQ(ranked.front().selector.css(), "div[data-cardposition]");
  EXPECT_EQ(ranked.front().listings.size(), 8u);
  EXPECT_EQ(ranked.front().containers.size(), 8u);
  for (const ContainerChoice& choice : ranked) EXPECT_GE(choice.listings.size(), 2u);

  // A strip that repeats two names and nothing else is no container of listings.
  const int strip = find(tree, "FeaturedStrip-name", "Mick's Plumbing & Gas");
  ASSERT_GE(strip, 0);
  EXPECT_TRUE(rankContainers(kinds, strip, {}, {}).empty());
}

TEST(ContainerChoice, AListingHasANameAndAnotherKind) {
  const PageTree tree = testing::HtmlTree::parse(
      "<html><body><div class='row'><h3>Casa Pepe</h3><p>Calle Mayor 5, 28013 Madrid</p></div>"
      "<div class='row'><h3>Ver teléfono</h3><p>Calle Mayor 7, 28013 Madrid</p></div>"
      "<div class='row'><h3>Bar Sol</h3><p>Abierto hoy</p></div>"
      "<div class='row'><div class='row'><h3>Nested</h3><a href='tel:911112233'>Call</a></div>"
      "</div></body></html>",
      "https://guia.example/madrid");
  const TreeKinds kinds(tree);
  const auto rows = selectAll(tree, *parseSimpleSelector("div.row"));
  ASSERT_EQ(rows.size(), 5u);
  const ListingTest any;
  EXPECT_TRUE(isListing(kinds, rows[0], any));
  EXPECT_FALSE(isListing(kinds, rows[1], any));  // a button's caption is no name
  EXPECT_FALSE(isListing(kinds, rows[2], any));  // a name alone
  EXPECT_TRUE(isListing(kinds, rows[4], any));
  // Asked for a telephone, an address does not do.
  EXPECT_FALSE(isListing(kinds, rows[0], {{}, {fields::Kind::Telephone}}));
  // The name is read where the caller says.
  EXPECT_FALSE(isListing(kinds, rows[0], {[](int) { return std::string(); }, {}}));
  EXPECT_TRUE(scoreContainers(kinds, *parseSimpleSelector("div.row"), any).nested);
}

}  // namespace
}  // namespace quillon::profiles
