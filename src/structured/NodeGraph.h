#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillon::structured {

// One value of a property: a text, or a node of the graph.
struct Value {
  std::string text;
  int node = -1;  // the node when >= 0
};

struct Property {
  std::string name;  // without a schema.org address prefix
  std::vector<Value> values;
};

// A JSON-LD node object or a microdata item.
struct Node {
  std::vector<std::string> types;  // without a schema.org address prefix
  std::string id;                  // JSON-LD @id
  std::vector<Property> properties;
  bool topLevel = false;   // a top-level object, a @graph member or a top-level microdata item
  bool reference = false;  // only an @id: it stands for the page's node with that @id

  bool hasType(std::string_view type) const;
  // The property of that name, or nullptr.
  const Property* property(std::string_view name) const;
};

// The nodes of one page from every source, the nested ones after the node that holds them.
class NodeGraph {
 public:
  // Bounds that keep a hostile page quick: the readers stop adding nodes past the first,
  // and a node keeps the first properties only.
  static constexpr std::size_t kMaxNodes = 200'000;
  static constexpr std::size_t kMaxProperties = 256;

  std::vector<Node> nodes;

  // Appends a value to the node's property of that name (added when new, unless the node
  // already has kMaxProperties).
  void addValue(int node, std::string_view name, Value value);
  // Indexes the @id of every node; call once the sources are read.
  void indexIds();
  // The node that a value node stands for: a reference's target (the first node with that
  // @id and properties, else the first with that @id), otherwise the node itself.
  int resolve(int node) const;

 private:
  std::unordered_map<std::string, int> m_ids;
};

}  // namespace quillon::structured
