#include "results/RowOrder.h"

namespace quillon::results {
namespace {

std::uint64_t splitMix64(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

std::uint32_t RowOrder::at(std::uint32_t index) const {
  std::uint32_t t = m_root;
  while (t != kNone) {
    const std::uint32_t leftSize = sizeOf(m_nodes[t].left);
    if (index < leftSize) {
      t = m_nodes[t].left;
    } else if (index == leftSize) {
      return t;
    } else {
      index -= leftSize + 1;
      t = m_nodes[t].right;
    }
  }
  return kNone;
}

std::uint32_t RowOrder::indexOf(std::uint32_t slot) const {
  std::uint32_t index = sizeOf(m_nodes[slot].left);
  for (std::uint32_t t = slot; m_nodes[t].parent != kNone; t = m_nodes[t].parent) {
    const std::uint32_t parent = m_nodes[t].parent;
    if (m_nodes[parent].right == t) index += sizeOf(m_nodes[parent].left) + 1;
  }
  return index;
}

void RowOrder::prepare(std::uint32_t slot) {
  if (slot >= m_nodes.size()) m_nodes.resize(slot + std::size_t{1});
  Node& node = m_nodes[slot];
  node.left = node.right = node.parent = kNone;
  node.size = 1;
  node.priority = splitMix64(m_seed);
}

void RowOrder::setHint(std::uint32_t slot, const Hint& hint) {
  if (slot >= m_nodes.size()) m_nodes.resize(slot + std::size_t{1});
  m_nodes[slot].hint = hint;
}

void RowOrder::pull(std::uint32_t t) {
  Node& node = m_nodes[t];
  node.size = 1 + sizeOf(node.left) + sizeOf(node.right);
  if (node.left != kNone) m_nodes[node.left].parent = t;
  if (node.right != kNone) m_nodes[node.right].parent = t;
}

void RowOrder::setRoot(std::uint32_t t) {
  m_root = t;
  if (t != kNone) m_nodes[t].parent = kNone;
}

// left receives the first `count` slots of t, right the rest.
void RowOrder::split(std::uint32_t t, std::uint32_t count, std::uint32_t& left,
                     std::uint32_t& right) {
  if (t == kNone) {
    left = right = kNone;
    return;
  }
  const std::uint32_t leftSize = sizeOf(m_nodes[t].left);
  if (leftSize < count) {
    std::uint32_t rest = kNone;
    split(m_nodes[t].right, count - leftSize - 1, rest, right);
    m_nodes[t].right = rest;
    left = t;
  } else {
    std::uint32_t rest = kNone;
    split(m_nodes[t].left, count, left, rest);
    m_nodes[t].left = rest;
    right = t;
  }
  pull(t);
}

std::uint32_t RowOrder::merge(std::uint32_t left, std::uint32_t right) {
  if (left == kNone) return right;
  if (right == kNone) return left;
  if (m_nodes[left].priority > m_nodes[right].priority) {
    m_nodes[left].right = merge(m_nodes[left].right, right);
    pull(left);
    return left;
  }
  m_nodes[right].left = merge(left, m_nodes[right].left);
  pull(right);
  return right;
}

void RowOrder::insert(std::uint32_t index, std::uint32_t slot) {
  insertAtPartition(slot, [&](std::uint32_t t) {
    const std::uint32_t before = sizeOf(m_nodes[t].left) + 1;
    if (index < before) return false;
    index -= before;
    return true;
  });
}

// Hangs a prepared slot under parent as a leaf, counts it in every ancestor, then
// rotates it up until the priorities are in heap order again.
void RowOrder::attach(std::uint32_t slot, std::uint32_t parent, bool right) {
  if (parent == kNone) {
    setRoot(slot);
    return;
  }
  m_nodes[slot].parent = parent;
  (right ? m_nodes[parent].right : m_nodes[parent].left) = slot;
  for (std::uint32_t t = parent; t != kNone; t = m_nodes[t].parent) ++m_nodes[t].size;
  while (m_nodes[slot].parent != kNone &&
         m_nodes[m_nodes[slot].parent].priority < m_nodes[slot].priority) {
    rotateUp(slot);
  }
}

// Turns x's parent into x's child, keeping the order of the sequence.
void RowOrder::rotateUp(std::uint32_t x) {
  const std::uint32_t p = m_nodes[x].parent;
  const std::uint32_t g = m_nodes[p].parent;
  if (m_nodes[p].left == x) {
    m_nodes[p].left = m_nodes[x].right;
    m_nodes[x].right = p;
  } else {
    m_nodes[p].right = m_nodes[x].left;
    m_nodes[x].left = p;
  }
  pull(p);
  pull(x);
  m_nodes[x].parent = g;
  if (g == kNone) {
    m_root = x;
  } else if (m_nodes[g].left == p) {
    m_nodes[g].left = x;
  } else {
    m_nodes[g].right = x;
  }
}

std::vector<std::uint32_t> RowOrder::erase(std::uint32_t first, std::uint32_t last) {
  std::uint32_t head = kNone;
  std::uint32_t rest = kNone;
  std::uint32_t middle = kNone;
  std::uint32_t tail = kNone;
  split(m_root, first, head, rest);
  split(rest, last - first + 1, middle, tail);
  setRoot(merge(head, tail));

  std::vector<std::uint32_t> slots;
  slots.reserve(sizeOf(middle));
  forEachIn(middle, [&](std::uint32_t slot) { slots.push_back(slot); });
  return slots;
}

void RowOrder::assign(const std::vector<std::uint32_t>& slots) {
  m_root = kNone;
  // The Cartesian tree of the priorities, built left to right with a stack of the
  // right spine; sizes and parents follow in one bottom-up pass.
  std::vector<std::uint32_t> spine;
  for (const std::uint32_t slot : slots) {
    prepare(slot);
    std::uint32_t last = kNone;
    while (!spine.empty() && m_nodes[spine.back()].priority < m_nodes[slot].priority) {
      last = spine.back();
      spine.pop_back();
    }
    m_nodes[slot].left = last;
    if (!spine.empty()) m_nodes[spine.back()].right = slot;
    spine.push_back(slot);
  }
  if (spine.empty()) return;
  m_root = spine.front();

  // Post-order without recursion: children are pulled before their parents.
  std::vector<std::uint32_t> stack{m_root};
  std::vector<std::uint32_t> postOrder;
  postOrder.reserve(slots.size());
  while (!stack.empty()) {
    const std::uint32_t t = stack.back();
    stack.pop_back();
    postOrder.push_back(t);
    if (m_nodes[t].left != kNone) stack.push_back(m_nodes[t].left);
    if (m_nodes[t].right != kNone) stack.push_back(m_nodes[t].right);
  }
  for (auto it = postOrder.rbegin(); it != postOrder.rend(); ++it) pull(*it);
  setRoot(m_root);
}

std::vector<std::uint32_t> RowOrder::inOrder() const {
  std::vector<std::uint32_t> result;
  result.reserve(size());
  forEach([&](std::uint32_t slot) { result.push_back(slot); });
  return result;
}

}  // namespace quillon::results
