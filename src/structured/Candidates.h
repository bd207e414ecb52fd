#pragma once

#include "structured/NodeGraph.h"

#include <string>
#include <vector>

namespace quillon::structured {

struct Candidates {
  // The nodes that may be listings, each once, in the order the page gives them.
  std::vector<int> nodes;
  // The addresses of ItemList entries that carry no telephone or address, in list order, as
  // written (relative ones too).
  std::vector<std::string> entryAddresses;
};

// The nodes that may be listings: the top-level nodes that no other node holds as a property
// value (also through an @id), the entries of every ItemList (a ListItem's item, or the entry
// itself when it is typed and not a ListItem), and the mainEntity of a page-structure node
// (a WebPage about one business). BreadcrumbList and other kinds of list are not read.
// An entry's address is its url, else its @id when that is an http(s) address, else, for a
// ListItem, the ListItem's url; an entry given as text is an address itself.
Candidates findCandidates(const NodeGraph& graph);

}  // namespace quillon::structured
