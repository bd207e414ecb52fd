// The choice of a column's selector over every listing of a page, by kinds alone.

#include "HtmlTree.h"
#include "profiles/FieldSelectorChoice.h"

#include <gtest/gtest.h>

namespace quillon::profiles {
namespace {

class FieldSelectorChoiceTest : public ::testing::Test {
 protected:
  PageTree tree = testing::HtmlTree::file(
      std::string(QUILLON_FIXTURES) + "/real/fr-boulangeries.html",
      "https://www.annuaire-pro.example/recherche?quoiqui=boulangerie&ou=paris");
  TreeKinds kinds{tree};
  std::vector<int> cards = selectAll(tree, *parseSimpleSelector("li.bi"));

  // The first element in the card that matches the selector.
  int first(int card, const std::string& css) {
    return selectFirst(tree, *parseSimpleSelector(css), card);
  }
};

TEST_F(FieldSelectorChoiceTest, AValueOfAnotherKindDisqualifiesASelector) {
  FieldReader phone(Column::Telephone, {});
  // "a.value" fills every card, but it is the e-mail link where a card has no telephone.
  const FieldScore byClass = scoreField(kinds, *parseSimpleSelector("a.value"), phone, cards);
  EXPECT_EQ(byClass.fills, 6);
  EXPECT_EQ(byClass.wrong, 1);
  const auto choice =
      chooseFieldSelector(kinds, cards[0], first(cards[0], "a.value"), phone, cards);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->selector.css(), "a[href^=\"tel:\"]");
  EXPECT_EQ(choice->rank, SelectorRank::SchemeLink);
  EXPECT_EQ(choice->score.fills, 6);
  EXPECT_EQ(choice->score.wrong, 0);

  // The first link of the bottom bar is the directory's map page where there is no website.
  FieldReader web(Column::Url, {"", "href", "", false, true});
  const auto site = chooseFieldSelector(kinds, cards[0], first(cards[0], "a.bi-site"), web, cards);
  ASSERT_TRUE(site);
  EXPECT_EQ(site->selector.css(), "a.bi-site");
  EXPECT_EQ(scoreField(kinds, *parseSimpleSelector("a.teaser-item"), web, cards).wrong, 3);
}

TEST_F(FieldSelectorChoiceTest, APositionPathIsTheLastResortWithOnePositionAtMost) {
  const int hours = first(cards[0], "span.value");
  for (const RankedSelector& each : fieldSelectors(tree, cards[0], first(cards[0], "a.bi-plan"))) {
    int positions = 0;
    for (const SelectorStep& step : each.selector.steps) positions += step.nthOfType > 0 ? 1 : 0;
    EXPECT_LE(positions, 1) << each.selector.css();
    EXPECT_EQ(positions > 0, each.rank == SelectorRank::Position) << each.selector.css();
  }
  // Without a kind (the activity), the rank decides before the count.
  FieldReader activity(Column::Activity, {});
  const auto choice = chooseFieldSelector(kinds, cards[0], hours, activity, cards);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->selector.css(), "span.value");
}

}  // namespace
}  // namespace quillon::profiles
