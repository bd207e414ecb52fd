#pragma once

#include "structured/Extraction.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::capture {

using FetchPageFn = std::function<std::optional<std::string>(std::string_view url)>;
using WarnFn = std::function<void(const std::string& warning)>;

// The listings a page gives: its own; or, for a summary page, the first listing of each
// entry's detail page, fetched with fetchPage and read in the list's order (an entry whose
// page cannot be fetched or holds no listing gives none), its web address never one of the
// directory's pages. Without fetchPage a summary page
// gives none. What cannot be read is said through warn.
std::vector<structured::Listing> listingsOf(const structured::Extraction& extraction,
                                            const FetchPageFn& fetchPage, const WarnFn& warn);

}  // namespace quillon::capture
