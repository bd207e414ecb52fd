#include "results/DuplicateIndex.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

namespace quillon::results {
namespace {

TEST(DuplicateIndexTest, MatchesExactPairsOnly) {
  DuplicateIndex index;
  index.add("912 345 678", "Bar Pepe");
  EXPECT_TRUE(index.contains("912 345 678", "Bar Pepe"));
  EXPECT_FALSE(index.contains("912 345 678", "bar pepe"));
  EXPECT_FALSE(index.contains("912 345 678", "Bar Pepe "));
  EXPECT_FALSE(index.contains("912345678", "Bar Pepe"));
  EXPECT_FALSE(index.contains("912 345 67", "8Bar Pepe"));
}

TEST(DuplicateIndexTest, AnEmptyPhoneIsNeverADuplicate) {
  DuplicateIndex index;
  index.add("", "Bar Pepe");
  EXPECT_FALSE(index.contains("", "Bar Pepe"));
  EXPECT_EQ(index.size(), 0u);
}

TEST(DuplicateIndexTest, CountsRowsThatShareAPair) {
  DuplicateIndex index;
  index.add("1", "A");
  index.add("1", "A");
  index.remove("1", "A");
  EXPECT_TRUE(index.contains("1", "A"));
  index.remove("1", "A");
  EXPECT_FALSE(index.contains("1", "A"));
  index.remove("1", "A");  // more removals than rows change nothing
  EXPECT_FALSE(index.contains("1", "A"));
}

TEST(DuplicateIndexTest, KeepsBytesWithNul) {
  DuplicateIndex index;
  index.add(std::string("1\0", 2), "A");
  EXPECT_TRUE(index.contains(std::string("1\0", 2), "A"));
  EXPECT_FALSE(index.contains("1", std::string("\0A", 2)));
}

TEST(DuplicateIndexTest, FollowsACountingMapThroughRandomAddsAndRemoves) {
  // Few distinct pairs and many operations: long probe runs, growth and removals that
  // shift entries back all get exercised.
  std::mt19937 random(3);
  DuplicateIndex index;
  std::map<std::pair<std::string, std::string>, int> reference;
  for (int step = 0; step < 200000; ++step) {
    const std::string phone = std::to_string(random() % 700);
    const std::string name = std::to_string(random() % 3);
    const int present = reference.count({phone, name}) ? reference[{phone, name}] : 0;
    if (random() % 3 != 0) {
      index.add(phone, name);
      ++reference[{phone, name}];
    } else if (present > 0) {
      index.remove(phone, name);
      if (--reference[{phone, name}] == 0) reference.erase({phone, name});
    }
    const std::string probePhone = std::to_string(random() % 700);
    const std::string probeName = std::to_string(random() % 3);
    ASSERT_EQ(index.contains(probePhone, probeName), reference.count({probePhone, probeName}) > 0)
        << step;
  }
  EXPECT_EQ(index.size(), reference.size());
  for (const auto& [pair, count] : reference) EXPECT_TRUE(index.contains(pair.first, pair.second));
}

}  // namespace
}  // namespace quillon::results
