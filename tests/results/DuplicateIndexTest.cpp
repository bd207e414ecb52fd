#include "results/DuplicateIndex.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quillon::results
