#pragma once

#include "journal/BatchRecord.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::batch {

// One of N parts of a list of searches, so that N copies of Quillon each read a disjoint
// part: part K takes the searches whose position p (from 1) has (p - 1) mod N = K - 1.
struct Shard {
  int index = 1;  // K, from 1
  int count = 1;  // N

  std::string text() const { return std::to_string(index) + "/" + std::to_string(count); }
};

// Reads "K/N" (1 <= K <= N); throws BatchError otherwise.
Shard parseShard(std::string_view text);

// The searches of the list that the shard takes (all without one), Waiting, with their
// positions in the whole list.
std::vector<journal::SearchRecord> searchesOfShard(const std::vector<std::string>& addresses,
                                                   const std::optional<Shard>& shard);

}  // namespace quillon::batch
