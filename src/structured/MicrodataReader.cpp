#include "structured/MicrodataReader.h"

#include "structured/SchemaNames.h"
#include "text/Ascii.h"

#include <algorithm>

namespace quillon::structured {
namespace {

bool hasProperty(const MicrodataElement& e) { return !text::asciiTokens(e.itemprop).empty(); }

}  // namespace

MicrodataReader::MicrodataReader(const std::vector<MicrodataElement>& elements, NodeGraph& graph)
    : m_elements(elements),
      m_graph(graph),
      m_firstChild(elements.size(), -1),
      m_nextSibling(elements.size(), -1),
      m_visit(elements.size(), -1),
      m_reading(elements.size(), false) {
  // Children in document order: each parent comes before its children.
  std::vector<int> lastChild(elements.size(), -1);
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const int parent = elements[i].parent;
    if (parent < 0 || static_cast<std::size_t>(parent) >= i) continue;
    const auto p = static_cast<std::size_t>(parent);
    if (lastChild[p] < 0) {
      m_firstChild[p] = static_cast<int>(i);
    } else {
      m_nextSibling[static_cast<std::size_t>(lastChild[p])] = static_cast<int>(i);
    }
    lastChild[p] = static_cast<int>(i);
  }
  for (std::size_t i = elements.size(); i-- > 0;) {
    if (!elements[i].id.empty()) m_ids[elements[i].id] = static_cast<int>(i);  // the first wins
  }
}

bool MicrodataReader::read() {
  for (std::size_t i = 0; i < m_elements.size() && !m_stopped; ++i) {
    const MicrodataElement& e = m_elements[i];
    if (!e.itemscope || hasProperty(e)) continue;
    const int node = readItem(static_cast<int>(i), 0);
    if (node >= 0) m_graph.nodes[static_cast<std::size_t>(node)].topLevel = true;
  }
  return !m_stopped;
}

int MicrodataReader::readItem(int element, int depth) {
  if (m_graph.nodes.size() >= NodeGraph::kMaxNodes) {
    m_stopped = true;
    return -1;
  }
  const MicrodataElement& item = m_elements[static_cast<std::size_t>(element)];
  const int node = static_cast<int>(m_graph.nodes.size());
  m_graph.nodes.emplace_back();
  for (const std::string_view type : text::asciiTokens(item.itemtype)) {
    m_graph.nodes.back().types.emplace_back(schemaName(type));
  }
  m_reading[static_cast<std::size_t>(element)] = true;
  for (const int p : properties(element)) {
    const MicrodataElement& e = m_elements[static_cast<std::size_t>(p)];
    Value value;
    if (!e.itemscope) {
      value.text = e.value;
    } else if (depth + 1 >= kMaxItemDepth || m_reading[static_cast<std::size_t>(p)]) {
      continue;
    } else {
      value.node = readItem(p, depth + 1);
      if (value.node < 0) break;
      value.text = e.value;  // what an item of text only says
    }
    std::vector<std::string_view> names;
    for (const std::string_view name : text::asciiTokens(e.itemprop)) {
      if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    for (const std::string_view name : names) m_graph.addValue(node, schemaName(name), value);
  }
  m_reading[static_cast<std::size_t>(element)] = false;
  return node;
}

// The HTML standard's crawl: the root's children and the elements its itemref names, then
// down through every element that is not an item itself; elements with a property name are
// the item's properties, in document order.
std::vector<int> MicrodataReader::properties(int root) {
  const int crawl = ++m_crawl;
  m_visit[static_cast<std::size_t>(root)] = crawl;
  std::vector<int> pending;
  addChildren(root, pending);
  const MicrodataElement& rootElement = m_elements[static_cast<std::size_t>(root)];
  for (const std::string_view id : text::asciiTokens(rootElement.itemref)) {
    if (const auto found = m_ids.find(id); found != m_ids.end()) pending.push_back(found->second);
  }
  std::vector<int> found;
  while (!pending.empty()) {
    const int current = pending.back();
    pending.pop_back();
    if (++m_steps > kMaxSteps) {
      m_stopped = true;
      break;
    }
    int& visit = m_visit[static_cast<std::size_t>(current)];
    if (visit == crawl) continue;
    visit = crawl;
    const MicrodataElement& e = m_elements[static_cast<std::size_t>(current)];
    if (!e.itemscope) addChildren(current, pending);
    if (hasProperty(e)) found.push_back(current);
  }
  std::sort(found.begin(), found.end());
  return found;
}

void MicrodataReader::addChildren(int element, std::vector<int>& pending) const {
  for (int child = m_firstChild[static_cast<std::size_t>(element)]; child >= 0;
       child = m_nextSibling[static_cast<std::size_t>(child)]) {
    pending.push_back(child);
  }
}

}  // namespace quillon::structured
