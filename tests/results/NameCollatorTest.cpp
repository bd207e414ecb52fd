#include "results/NameCollator.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quillon::results {
namespace {

std::vector<std::string> sortedBy(const NameCollator& collator, std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
    return collator.sortKey(a) < collator.sortKey(b);
  });
  return names;
}

TEST(NameCollatorTest, ReadsTheLocaleFromPosixSettings) {
  EXPECT_EQ(NameCollator::localeFromSettings("es_ES.UTF-8", "it_IT", "en_AU"), "es_ES");
  EXPECT_EQ(NameCollator::localeFromSettings(nullptr, "it_IT.UTF-8@euro", "en_AU"), "it_IT");
  EXPECT_EQ(NameCollator::localeFromSettings("", "", "fr_CA.UTF-8"), "fr_CA");
  EXPECT_EQ(NameCollator::localeFromSettings("C.UTF-8", nullptr, "es_ES"), "");
  EXPECT_EQ(NameCollator::localeFromSettings("POSIX", nullptr, nullptr), "");
  EXPECT_EQ(NameCollator::localeFromSettings(nullptr, nullptr, nullptr), "");
}

TEST(NameCollatorTest, PutsNamesInDictionaryOrder) {
  const NameCollator collator("en_US");
  EXPECT_EQ(sortedBy(collator, {"zeta", "Beta", "alpha", "Ángel", "beta"}),
            (std::vector<std::string>{"alpha", "Ángel", "beta", "Beta", "zeta"}));
}

TEST(NameCollatorTest, FollowsTheLocale) {
  // Spanish sorts ñ as a letter of its own after n; the root order does not.
  const std::vector<std::string> names = {"ñu", "nz", "o"};
  EXPECT_EQ(sortedBy(NameCollator("es_ES"), names), (std::vector<std::string>{"nz", "ñu", "o"}));
  EXPECT_EQ(sortedBy(NameCollator(""), names), (std::vector<std::string>{"ñu", "nz", "o"}));
}

TEST(NameCollatorTest, FallsBackToRootForUnknownLocales) {
  const NameCollator unknown("xx_NOWHERE");
  const NameCollator root("");
  EXPECT_EQ(unknown.sortKey("Café"), root.sortKey("Café"));
}

TEST(NameCollatorTest, KeysOfEqualNamesAreEqualAndEmptySortsFirst) {
  const NameCollator collator("es_ES");
  EXPECT_EQ(collator.sortKey("Bar Pepe"), collator.sortKey("Bar Pepe"));
  EXPECT_LT(collator.sortKey(""), collator.sortKey("a"));
  EXPECT_LT(collator.sortKey(std::string("a\0b", 3)), collator.sortKey("ac"));
}

TEST(NameCollatorTest, MovesOwnership) {
  NameCollator first("es_ES");
  const std::string key = first.sortKey("abc");
  NameCollator second(std::move(first));
  EXPECT_EQ(second.sortKey("abc"), key);
  first = NameCollator("en");
  EXPECT_EQ(first.locale(), "en");
}

}  // namespace
}  // namespace quillon::results
