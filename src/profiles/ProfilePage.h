#pragma once

#include "profiles/Profile.h"
#include "structured/PageData.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the in-page collect script (webengine/ProfileDataScript) gathers for a profile in one
// evaluation, and the request it is given. The script only runs the selectors; what their
// results mean is decided here.

namespace quillon::profiles {

// The raw values of one listing: each field's first element's text or attribute, or nothing
// when the field has no rule or its selector matches no element.
using RawListing = std::array<std::optional<std::string>, kColumnCount>;

struct ProfilePage {
  structured::PageData page;  // for the default next-page rules and fromStructuredData
  std::vector<RawListing> listings;
  bool nextFound = false;  // the next selector matched an element
  std::string nextHref;    // its address, absolute (empty when it has none)
  std::string nextText;
};

// The request the collect script reads (JSON): the listing selector, each field's selector
// confined to its container and attribute, the next selector.
std::string profileRequest(const Profile& profile);

// Reads the collect script's answer:
//   {"page": "<the page data's JSON text>", "listings": [[value or null, ...10], ...],
//    "next": null or {"href": "...", "text": "..."}}
// or {"error": {"key": "fields.phone", "message": "..."}} for a selector the page refuses.
// Throws ProfileError for either, or for anything else: naming `profileName` and the key.
ProfilePage decodeProfilePage(std::string_view json, const std::string& profileName);

}  // namespace quillon::profiles
