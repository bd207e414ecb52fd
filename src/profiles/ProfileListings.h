#pragma once

#include "profiles/FieldValues.h"
#include "profiles/ProfilePage.h"
#include "structured/Listing.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace quillon::profiles {

// The listings of a page as the profile reads them, one per container with a name (a container
// without one is no listing), in document order, the values finished by `values` for the
// page's country and directory hosts (a value not of its field's kind left out). A field taken from
// structured data gets the value the auto mode reads for the listing's own schema.org item: the
// item of the same name (white space and case aside), or, for a profile that reads no name of its
// own, the item at the same position when the page has as many items as containers; empty when
// there is none.
std::vector<structured::Listing> profileListings(const Profile& profile, FieldValues& values,
                                                 const ProfilePage& page);

// The next page's address: with a next selector, its element's address unless that is empty,
// javascript:, the page itself or one of readAddresses; without one, the auto mode's rules.
std::optional<std::string> profileNextPage(const Profile& profile, const ProfilePage& page,
                                           const std::set<std::string>& readAddresses);

// A signature of the listings as the loop guard compares them (see structured::pageSignature);
// empty for none.
std::string listingsSignature(const std::vector<structured::Listing>& listings);

}  // namespace quillon::profiles
