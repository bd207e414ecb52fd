#pragma once

#include "structured/Listing.h"
#include "structured/NodeGraph.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillon::structured {

// The ten columns of a node, whatever its type. Of a property with several values the first
// non-empty one counts; the address is its first value that is a non-empty text (all of it
// goes to the street column) or a node with a non-empty part. The url is made absolute against
// pageUrl.
Listing listingColumns(const NodeGraph& graph, int node, std::string_view pageUrl);

// The node's columns when it is a listing: one of its types is not a page-structure type, it
// has a name, and it has a telephone or an address.
std::optional<Listing> mapListing(const NodeGraph& graph, int node, std::string_view pageUrl);

// True when the node has a telephone or an address (a listing with data, not a mere link).
bool hasTelephoneOrAddress(const NodeGraph& graph, int node);

// The first non-empty text value of the node's property, cleaned as the columns are.
std::string firstText(const Node& node, std::string_view property);

}  // namespace quillon::structured
