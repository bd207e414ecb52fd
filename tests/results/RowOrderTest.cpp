#include "results/RowOrder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace quillon::results {
namespace {

void expectSame(const RowOrder& order, const std::vector<std::uint32_t>& reference) {
  ASSERT_EQ(order.size(), reference.size());
  EXPECT_EQ(order.inOrder(), reference);
  for (std::uint32_t i = 0; i < reference.size(); ++i) {
    ASSERT_EQ(order.at(i), reference[i]);
    ASSERT_EQ(order.indexOf(reference[i]), i);
  }
}

TEST(RowOrderTest, StartsEmpty) {
  RowOrder order;
  EXPECT_EQ(order.size(), 0u);
  EXPECT_TRUE(order.inOrder().empty());
  EXPECT_EQ(order.at(0), RowOrder::kNone);
  EXPECT_EQ(order.partitionPoint([](std::uint32_t) { return true; }), 0u);
}

TEST(RowOrderTest, InsertsAtIndices) {
  RowOrder order;
  order.insert(0, 5);
  order.insert(0, 3);
  order.insert(2, 9);
  order.insert(1, 0);
  expectSame(order, {3, 0, 5, 9});
}

TEST(RowOrderTest, ErasesRangesAndReturnsThemInOrder) {
  RowOrder order;
  order.assign({10, 11, 12, 13, 14, 15});
  EXPECT_EQ(order.erase(1, 3), (std::vector<std::uint32_t>{11, 12, 13}));
  expectSame(order, {10, 14, 15});
  EXPECT_EQ(order.erase(2, 2), (std::vector<std::uint32_t>{15}));
  EXPECT_EQ(order.erase(0, 1), (std::vector<std::uint32_t>{10, 14}));
  expectSame(order, {});
}

TEST(RowOrderTest, PartitionPointIsABinarySearch) {
  RowOrder order;
  order.assign({0, 1, 2, 3, 4, 5, 6, 7});
  for (std::uint32_t bound = 0; bound <= 8; ++bound) {
    EXPECT_EQ(order.partitionPoint([&](std::uint32_t slot) { return slot < bound; }), bound);
  }
}

TEST(RowOrderTest, FollowsAVectorThroughRandomOperations) {
  std::mt19937 random(7);
  RowOrder order;
  std::vector<std::uint32_t> reference;
  std::vector<std::uint32_t> freeSlots;
  std::uint32_t nextSlot = 0;
  for (int step = 0; step < 4000; ++step) {
    const auto choice = random() % 10;
    if (choice < 6 || reference.empty()) {
      std::uint32_t slot = nextSlot;
      if (!freeSlots.empty() && random() % 2 == 0) {
        slot = freeSlots.back();
        freeSlots.pop_back();
      } else {
        ++nextSlot;
      }
      const auto index = static_cast<std::uint32_t>(random() % (reference.size() + 1));
      order.insert(index, slot);
      reference.insert(reference.begin() + index, slot);
    } else if (choice < 9) {
      const auto first = static_cast<std::uint32_t>(random() % reference.size());
      const auto last = first + static_cast<std::uint32_t>(
                                    random() % std::min<std::size_t>(4, reference.size() - first));
      const std::vector<std::uint32_t> removed(reference.begin() + first,
                                               reference.begin() + last + 1);
      ASSERT_EQ(order.erase(first, last), removed);
      reference.erase(reference.begin() + first, reference.begin() + last + 1);
      freeSlots.insert(freeSlots.end(), removed.begin(), removed.end());
    } else {
      std::shuffle(reference.begin(), reference.end(), random);
      order.assign(reference);
    }
    if (step % 97 == 0) expectSame(order, reference);
  }
  expectSame(order, reference);
}

TEST(RowOrderTest, StaysShallowForLargeSequences) {
  // Recursion in split and merge follows the depth; a sorted build must not degenerate.
  RowOrder order;
  for (std::uint32_t i = 0; i < 200000; ++i) order.insert(i, i);
  EXPECT_EQ(order.size(), 200000u);
  EXPECT_EQ(order.at(123456), 123456u);
  EXPECT_EQ(order.indexOf(199999), 199999u);
}

}  // namespace
}  // namespace quillon::results
