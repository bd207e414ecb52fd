#pragma once

#include "structured/PageData.h"

#include <optional>
#include <set>
#include <string>

namespace quillon::structured {

// The address of the page's next result page, for a run that reads pages in turn:
//  1. the first link or a element whose rel has the token "next" (any case);
//  2. else the first a whose visible text, aria-label or title (white space collapsed, case
//     ignored, arrows such as "›", "»", ">", "→" around it removed) is a "next page" word of
//     English, Spanish, Italian, French, German, Dutch or Portuguese; a bare arrow counts
//     only through its aria-label or title.
// Addresses that are empty, javascript:, the page itself or (fragments removed) one of
// readAddresses are passed over. Nothing when no element qualifies.
std::optional<std::string> findNextPage(const PageData& page,
                                        const std::set<std::string>& readAddresses);

}  // namespace quillon::structured
