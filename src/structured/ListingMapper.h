#pragma once

#include "fields/DirectoryHosts.h"
#include "structured/Listing.h"
#include "structured/NodeGraph.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillon::structured {

// The ten columns of a node, whatever its type. Of a property with several values the first
// non-empty one counts.
//  - telephone, fax: without a tel:, callto: or fax: scheme; a node without a telephone or
//    e-mail of its own takes those of its first contactPoint that has one;
//  - address: its first value that is a non-empty text or a node with a non-empty part; an
//    address item with no parts gives its text (microdata) or name whole to the street; a
//    node without an address takes that of its location (a Place with an address, or an
//    address itself);
//  - web address: its first url, else its first sameAs, that is a business's own website:
//    an http(s) address (relative ones made absolute against pageUrl, a bare host such as
//    "www.casapepe.es" read as one) on none of the directory's hosts. Else empty: the
//    directory's page of a business is not the business's website.
Listing listingColumns(const NodeGraph& graph, int node, std::string_view pageUrl,
                       const fields::DirectoryHosts& directory);

// The node's columns when it is a listing: one of its types is not a page-structure type, it
// has a name, and it has a telephone or an address.
std::optional<Listing> mapListing(const NodeGraph& graph, int node, std::string_view pageUrl,
                                  const fields::DirectoryHosts& directory);

// True when the node has a telephone or an address, its contactPoint's and location's
// included (a listing with data, not a mere link).
bool hasTelephoneOrAddress(const NodeGraph& graph, int node);

// The first non-empty text value of the node's property, cleaned as the columns are.
std::string firstText(const Node& node, std::string_view property);

}  // namespace quillon::structured
