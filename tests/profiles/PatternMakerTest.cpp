#include "parsers/RegExpr.h"
#include "profiles/ClassNames.h"
#include "profiles/PatternMaker.h"

#include <gtest/gtest.h>

namespace quillon::profiles {
namespace {

// What the pattern's first group gives from the text.
std::string cut(const std::string& pattern, const std::string& text) {
  parsers::RegExpr expression(pattern, parsers::RegExpr::Syntax::Utf8);
  return expression.exec(text) ? std::string(expression.match(1)) : "(no match)";
}

TEST(PatternMaker, CutsPostalCodeAndLocalityOutOfOneText) {
  const std::vector<std::string> others = {"28014 Madrid", "28231 Las Rozas de Madrid"};
  const auto zip = makePattern("28013 Madrid", 0, "28013", others);
  ASSERT_TRUE(zip);
  EXPECT_EQ(*zip, "^(\\d+)");
  EXPECT_EQ(cut(*zip, "28231 Las Rozas de Madrid"), "28231");
  const auto city = makePattern("28013 Madrid", 6, "Madrid", others);
  ASSERT_TRUE(city);
  EXPECT_EQ(cut(*city, "28231 Las Rozas de Madrid"), "Las Rozas de Madrid");
}

TEST(PatternMaker, KeepsALabelAndCutsTheNumberAfterIt) {
  const auto phone = makePattern("Tel. 91 555 12 34", 5, "91 555 12 34", {"Tel. 93 444 00 11"});
  ASSERT_TRUE(phone);
  EXPECT_EQ(cut(*phone, "Tel. 93 444 00 11"), "93 444 00 11");
  EXPECT_EQ(cut(*phone, "Fax 93 444 00 11"), "(no match)");
}

TEST(PatternMaker, AStreetBeforeACommaStopsThere) {
  const auto street = makePattern("Calle Mayor 5, 28013 Madrid", 0, "Calle Mayor 5",
                                  {"Paseo del Prado 12, 28014 Madrid"});
  ASSERT_TRUE(street);
  EXPECT_EQ(cut(*street, "Paseo del Prado 12, 28014 Madrid"), "Paseo del Prado 12");
}

TEST(PatternMaker, PrefersWhatMatchesTheOtherListings) {
  // The literal word "Madrid" would fit the example only; the general form fits all three.
  const auto street =
      makePattern("Calle Mayor 5 28013 Madrid", 0, "Calle Mayor 5",
                  {"Gran Vía 1 28001 Madrid", "Avenida de España 14 28231 Las Rozas"});
  ASSERT_TRUE(street);
  EXPECT_EQ(cut(*street, "Gran Vía 1 28001 Madrid"), "Gran Vía 1");
  EXPECT_EQ(cut(*street, "Avenida de España 14 28231 Las Rozas"), "Avenida de España 14");
}

TEST(PatternMaker, NothingWhenTheExampleIsNotWhereItIsSaidToBe) {
  EXPECT_FALSE(makePattern("28013 Madrid", 3, "Madrid", {}));
  EXPECT_FALSE(makePattern("28013 Madrid", 40, "Madrid", {}));
}

TEST(ClassNames, ToolHashesAndNumbersAreGeneratedWordsAreNot) {
  for (const char* name : {"css-1x9t8kq", "sc-bdVaJa", "jsx-2913741", "Card_title__3xYz9",
                           "result-48213", "ResultCard-module__card--hJ7kL", "is-open", "x1a2b3"}) {
    EXPECT_TRUE(looksGenerated(name)) << name;
  }
  for (const char* name : {"card", "card__title", "listing-card--featured", "col-6", "h2",
                           "CardTitle", "item12", "pagination__link--next"}) {
    EXPECT_FALSE(looksGenerated(name)) << name;
  }
  EXPECT_TRUE(looksGeneratedId(":r1:"));
  EXPECT_TRUE(looksGeneratedId("ember123"));
  EXPECT_TRUE(looksGeneratedId("listing-4521"));
  EXPECT_FALSE(looksGeneratedId("results"));
}

}  // namespace
}  // namespace quillon::profiles
