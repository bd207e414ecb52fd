#include "structured/NodeGraph.h"

#include <algorithm>

namespace quillon::structured {

bool Node::hasType(std::string_view type) const {
  return std::find(types.begin(), types.end(), type) != types.end();
}

const Property* Node::property(std::string_view name) const {
  for (const Property& p : properties) {
    if (p.name == name) return &p;
  }
  return nullptr;
}

void NodeGraph::addValue(int node, std::string_view name, Value value) {
  std::vector<Property>& properties = nodes[static_cast<std::size_t>(node)].properties;
  // Values of one property mostly come in a row.
  if (!properties.empty() && properties.back().name == name) {
    properties.back().values.push_back(std::move(value));
    return;
  }
  for (Property& p : properties) {
    if (p.name == name) {
      p.values.push_back(std::move(value));
      return;
    }
  }
  if (properties.size() >= kMaxProperties) return;
  properties.push_back(Property{std::string(name), {}});
  properties.back().values.push_back(std::move(value));
}

void NodeGraph::indexIds() {
  m_ids.clear();
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const Node& node = nodes[i];
    if (node.id.empty() || node.reference) continue;
    const auto [at, added] = m_ids.emplace(node.id, static_cast<int>(i));
    if (!added && nodes[static_cast<std::size_t>(at->second)].properties.empty() &&
        !node.properties.empty()) {
      at->second = static_cast<int>(i);
    }
  }
}

int NodeGraph::resolve(int node) const {
  const Node& n = nodes[static_cast<std::size_t>(node)];
  if (!n.reference) return node;
  const auto found = m_ids.find(n.id);
  return found == m_ids.end() ? node : found->second;
}

}  // namespace quillon::structured
