#pragma once

#include "profiles/PageTree.h"
#include "profiles/Profile.h"
#include "profiles/TreeKinds.h"
#include "structured/Listing.h"

#include <array>
#include <vector>

// What a profile written by the teacher reads from a page tree (its selectors are of the
// teacher's own subset), as a run reads it in the browser.

namespace quillon::profiles {

struct TaughtReading {
  std::vector<structured::Listing> rows;  // one per container with a name, in document order
  // Per column, how many values of another kind were left out of those rows.
  std::array<int, kColumnCount> leftOut{};
};

TaughtReading readContainers(const TreeKinds& kinds, const Profile& profile,
                             const std::vector<int>& containers);

// The rows of every container the profile's listing selector matches.
std::vector<structured::Listing> readTaughtListings(const PageTree& tree, const Profile& profile);

}  // namespace quillon::profiles
