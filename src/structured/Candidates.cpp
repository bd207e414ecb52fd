#include "structured/Candidates.h"

#include "structured/ListingMapper.h"
#include "structured/SchemaNames.h"
#include "text/Ascii.h"

#include <algorithm>

namespace quillon::structured {
namespace {

struct Found {
  int position;  // the node through which the page gives it
  int node;      // resolved
};

bool isPageStructureNode(const Node& node) {
  return !node.types.empty() &&
         std::all_of(node.types.begin(), node.types.end(),
                     [](const std::string& type) { return isPageStructureType(type); });
}

// Properties through which a node is given as a listing rather than as a detail of its holder.
bool givesCandidates(const Node& holder, std::string_view property) {
  return property == "itemListElement" || property == "item" ||
         (property == "mainEntity" && isPageStructureNode(holder));
}

std::vector<bool> heldNodes(const NodeGraph& graph) {
  std::vector<bool> held(graph.nodes.size(), false);
  for (std::size_t i = 0; i < graph.nodes.size(); ++i) {
    const Node& node = graph.nodes[i];
    for (const Property& p : node.properties) {
      if (givesCandidates(node, p.name)) continue;
      for (const Value& value : p.values) {
        if (value.node < 0) continue;
        const auto target = static_cast<std::size_t>(graph.resolve(value.node));
        if (target != i) held[target] = true;
      }
    }
  }
  return held;
}

std::string entryAddress(const Node& node) {
  std::string url = firstText(node, "url");
  if (url.empty()) {
    const std::string id = text::asciiLower(node.id.substr(0, 8));
    if (id.rfind("http://", 0) == 0 || id.rfind("https://", 0) == 0) url = node.id;
  }
  return url;
}

class EntryReader {
 public:
  EntryReader(const NodeGraph& graph, std::vector<Found>& found,
              std::vector<std::string>& addresses)
      : m_graph(graph), m_found(found), m_addresses(addresses) {}

  void readList(const Node& list) {
    const Property* elements = list.property("itemListElement");
    if (elements == nullptr) return;
    for (const Value& value : elements->values) {
      if (value.node < 0) {
        addAddress(value.text);
        continue;
      }
      const int entry = m_graph.resolve(value.node);
      const Node& node = m_graph.nodes[static_cast<std::size_t>(entry)];
      if (node.hasType("ListItem")) {
        readListItem(node, value.node);
      } else if (!node.types.empty()) {
        addEntry(value.node, entry);
      } else if (node.reference) {
        addAddress(entryAddress(node));  // an @id the page does not describe
      }
    }
  }

 private:
  void readListItem(const Node& listItem, int position) {
    const Property* item = listItem.property("item");
    const Value* first = nullptr;
    if (item != nullptr) {
      const auto given = [](const Value& v) { return v.node >= 0 || !v.text.empty(); };
      const auto at = std::find_if(item->values.begin(), item->values.end(), given);
      if (at != item->values.end()) first = &*at;
    }
    if (first == nullptr) {
      addAddress(firstText(listItem, "url"));
    } else if (first->node < 0) {
      addAddress(first->text);
    } else {
      const int entry = m_graph.resolve(first->node);
      const std::size_t count = m_addresses.size();
      addEntry(position, entry);
      if (m_addresses.size() == count && !hasTelephoneOrAddress(m_graph, entry)) {
        addAddress(firstText(listItem, "url"));
      }
    }
  }

  void addEntry(int position, int entry) {
    m_found.push_back(Found{position, entry});
    if (!hasTelephoneOrAddress(m_graph, entry)) {
      addAddress(entryAddress(m_graph.nodes[static_cast<std::size_t>(entry)]));
    }
  }

  void addAddress(const std::string& address) {
    if (!address.empty()) m_addresses.push_back(address);
  }

  const NodeGraph& m_graph;
  std::vector<Found>& m_found;
  std::vector<std::string>& m_addresses;
};

}  // namespace

Candidates findCandidates(const NodeGraph& graph) {
  const std::vector<bool> held = heldNodes(graph);
  std::vector<Found> found;
  Candidates candidates;
  EntryReader entries(graph, found, candidates.entryAddresses);
  for (std::size_t i = 0; i < graph.nodes.size(); ++i) {
    const Node& node = graph.nodes[i];
    const int index = static_cast<int>(i);
    if (node.topLevel && !held[i] && !node.reference) found.push_back(Found{index, index});
    if (node.hasType("ItemList")) entries.readList(node);
    if (const Property* main = node.property("mainEntity"); main && isPageStructureNode(node)) {
      for (const Value& value : main->values) {
        if (value.node >= 0) found.push_back(Found{value.node, graph.resolve(value.node)});
      }
    }
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const Found& a, const Found& b) { return a.position < b.position; });
  std::vector<bool> taken(graph.nodes.size(), false);
  for (const Found& f : found) {
    if (taken[static_cast<std::size_t>(f.node)]) continue;
    taken[static_cast<std::size_t>(f.node)] = true;
    candidates.nodes.push_back(f.node);
  }
  return candidates;
}

}  // namespace quillon::structured
