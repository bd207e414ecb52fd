#include "structured/JsonLdReader.h"

#include "structured/JsonLdText.h"
#include "structured/JsonProblem.h"
#include "structured/SchemaNames.h"
#include "structured/StructuredDataError.h"
#include "text/CharacterReferences.h"

#include <nlohmann/json.hpp>
#include <utility>

namespace quillon::structured {
namespace {

using Json = nlohmann::json;

bool isReference(const Node& node) {
  return !node.id.empty() && node.types.empty() && node.properties.empty();
}

// {"@value": ...} and {"@list": [...]} stand for their values.
bool isWrapper(const Node& node) {
  if (!node.types.empty() || !node.id.empty() || node.properties.empty()) return false;
  for (const Property& p : node.properties) {
    if (p.name != "@value" && p.name != "@list") return false;
  }
  return true;
}

// Builds the graph from nlohmann's SAX events. Arrays are transparent: their members are
// values of the key that holds them (or top-level objects when nothing holds them).
class GraphBuilder {
 public:
  explicit GraphBuilder(NodeGraph& graph) : m_graph(graph) {}
  const std::string& error() const { return m_error; }

  bool null() {
    skipped();
    return true;
  }
  bool boolean(bool value) { return scalar(value ? "true" : "false"); }
  bool number_integer(Json::number_integer_t value) { return scalar(std::to_string(value)); }
  bool number_unsigned(Json::number_unsigned_t value) { return scalar(std::to_string(value)); }
  bool number_float(Json::number_float_t, const std::string& raw) { return scalar(raw); }
  bool string(std::string& value) { return scalar(std::move(value)); }
  bool binary(Json::binary_t&) { return true; }
  bool start_array(std::size_t) {
    enterSkipped();
    return true;
  }
  bool end_array() {
    leaveSkipped();
    return true;
  }
  bool start_object(std::size_t);
  bool end_object();
  bool key(std::string& name);
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) {
    m_error = jsonProblem(error);
    return false;
  }

 private:
  enum class Role { Property, Type, Id, Graph };
  struct Frame {
    int node;
    Role role = Role::Property;
    std::string key;
  };

  bool scalar(std::string text);
  void attach(const Frame& parent, int index);
  // True for an event inside a value that is passed over.
  bool skipped() {
    if (m_skipDepth > 0) return true;
    const bool skip = m_skipNext;
    m_skipNext = false;
    return skip;
  }
  bool enterSkipped() {
    if (m_skipDepth > 0 || m_skipNext) {
      ++m_skipDepth;
      m_skipNext = false;
      return true;
    }
    return false;
  }
  bool leaveSkipped() {
    if (m_skipDepth == 0) return false;
    --m_skipDepth;
    return true;
  }

  NodeGraph& m_graph;
  std::vector<Frame> m_frames;  // the open objects
  bool m_skipNext = false;      // the next value belongs to a keyword that is passed over
  std::size_t m_skipDepth = 0;  // open arrays and objects inside a value passed over
  std::string m_error;
};

bool GraphBuilder::scalar(std::string text) {
  if (skipped() || m_frames.empty()) return true;
  const Frame& frame = m_frames.back();
  Node& node = m_graph.nodes[static_cast<std::size_t>(frame.node)];
  switch (frame.role) {
    case Role::Type:
      node.types.emplace_back(schemaName(text));
      break;
    case Role::Id:
      if (node.id.empty()) node.id = std::move(text);
      break;
    case Role::Graph:
      break;
    case Role::Property:
      m_graph.addValue(frame.node, frame.key, Value{std::move(text), -1});
      break;
  }
  return true;
}

bool GraphBuilder::start_object(std::size_t) {
  if (enterSkipped()) return true;
  const bool holder = m_frames.empty() || m_frames.back().role == Role::Property ||
                      m_frames.back().role == Role::Graph;
  if (!holder) {  // an object as a @type or @id means nothing
    m_skipDepth = 1;
    return true;
  }
  if (m_graph.nodes.size() >= NodeGraph::kMaxNodes) {
    m_error = "the page holds more than " + std::to_string(NodeGraph::kMaxNodes) + " nodes";
    return false;
  }
  const bool topLevel =
      m_frames.empty() || (m_frames.back().role == Role::Graph &&
                           m_graph.nodes[static_cast<std::size_t>(m_frames.back().node)].topLevel);
  m_graph.nodes.emplace_back();
  m_graph.nodes.back().topLevel = topLevel;
  m_frames.push_back(Frame{static_cast<int>(m_graph.nodes.size() - 1), Role::Property, {}});
  return true;
}

bool GraphBuilder::key(std::string& name) {
  if (m_skipDepth > 0) return true;
  Frame& frame = m_frames.back();
  frame.role = Role::Property;
  if (name.empty() || name.front() != '@') {
    frame.key = schemaName(name);
  } else if (name == "@type") {
    frame.role = Role::Type;
  } else if (name == "@id") {
    frame.role = Role::Id;
  } else if (name == "@graph") {
    frame.role = Role::Graph;
  } else if (name == "@value" || name == "@list" || name == "@set") {
    frame.key = name == "@value" ? "@value" : "@list";
  } else {
    m_skipNext = true;
  }
  return true;
}

bool GraphBuilder::end_object() {
  if (leaveSkipped()) return true;
  const int index = m_frames.back().node;
  m_frames.pop_back();
  Node& node = m_graph.nodes[static_cast<std::size_t>(index)];
  node.reference = isReference(node);
  // A @graph member is a node of its own, not a value.
  if (!m_frames.empty() && m_frames.back().role != Role::Graph) attach(m_frames.back(), index);
  return true;
}

void GraphBuilder::attach(const Frame& parent, int index) {
  Node& node = m_graph.nodes[static_cast<std::size_t>(index)];
  if (!isWrapper(node)) {
    m_graph.addValue(parent.node, parent.key, Value{{}, index});
    return;
  }
  std::vector<Property> wrapped = std::move(node.properties);
  node.properties.clear();
  for (Property& p : wrapped) {
    for (Value& value : p.values) m_graph.addValue(parent.node, parent.key, std::move(value));
  }
}

void parseInto(const std::string& text, NodeGraph& graph) {
  const std::size_t before = graph.nodes.size();
  GraphBuilder builder(graph);
  if (!Json::sax_parse(text, &builder, Json::input_format_t::json, true)) {
    graph.nodes.resize(before);
    throw StructuredDataError(builder.error());
  }
}

}  // namespace

void readJsonLdBlock(std::string_view block, NodeGraph& graph) {
  const std::string text = tidyJsonLd(block);
  if (text.empty()) return;
  std::string reason;
  try {
    parseInto(text, graph);
    return;
  } catch (const StructuredDataError& error) {
    reason = error.what();
  }
  if (block.find('&') != std::string_view::npos) {
    try {
      parseInto(tidyJsonLd(text::decodeCharacterReferences(block)), graph);
      return;
    } catch (const StructuredDataError&) {
      // the reason of the block as written is the one worth reporting
    }
  }
  throw StructuredDataError(reason);
}

}  // namespace quillon::structured
