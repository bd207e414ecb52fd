#pragma once

#include "profiles/TreeKinds.h"

#include <string>
#include <vector>

// The boxes of a result page that repeat among its listings without being any: advertisements
// and paid boxes, navigation, tips and "related searches".

namespace quillon::profiles {

// Whether the container is such a box: it or an element around it is a nav, header, footer or
// aside element (or has the role of one); a word of its classes or id, or of those of its
// parent or grandparent, names one ("sponsored", "ad", "promo", "tips", "related",
// "pagination"); its aria-label or an element in it reads only an advertisement's mark
// ("Sponsored", "Anuncio", "Anzeige"); or its first heading is a section's ("Handy tips").
bool isNonListing(const TreeKinds& kinds, int container);

// A stable class that every one of the boxes has and none of the listings, by which a listing
// selector can leave the boxes out (":not(.card--sponsored)"); empty when there is none.
std::string classOfBoxesAlone(const PageTree& tree, const std::vector<int>& boxes,
                              const std::vector<int>& listings);

}  // namespace quillon::profiles
