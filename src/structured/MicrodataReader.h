#pragma once

#include "structured/NodeGraph.h"
#include "structured/PageData.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillon::structured {

// Adds the page's microdata items to the graph by the HTML standard's algorithm: each
// top-level item (itemscope without itemprop) a top-level node, its properties found through
// its descendants and the elements its itemref names, a nested item the value of its
// property (never merged into its holder). Types and property names lose a schema.org
// address prefix. An item that is already being read higher up is left out (itemref cycles),
// as are items nested deeper than kMaxItemDepth; when a page needs more than kMaxSteps
// element visits or NodeGraph::kMaxNodes nodes, reading stops and a warning says so.
class MicrodataReader {
 public:
  static constexpr int kMaxItemDepth = 32;
  static constexpr std::size_t kMaxSteps = 1'000'000;

  MicrodataReader(const std::vector<MicrodataElement>& elements, NodeGraph& graph);

  // Reads every top-level item; returns false when a bound stopped it.
  bool read();

 private:
  int readItem(int element, int depth);
  std::vector<int> properties(int root);
  void addChildren(int element, std::vector<int>& pending) const;

  const std::vector<MicrodataElement>& m_elements;
  NodeGraph& m_graph;
  std::vector<int> m_firstChild, m_nextSibling;     // the collected tree
  std::unordered_map<std::string_view, int> m_ids;  // the first element of each id
  std::vector<int> m_visit;                         // the crawl that last visited each element
  std::vector<bool> m_reading;                      // items being read now, outermost first
  int m_crawl = 0;
  std::size_t m_steps = 0;
  bool m_stopped = false;
};

}  // namespace quillon::structured
