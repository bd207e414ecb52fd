#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace quillon::results {

// The order of the table's rows as a sequence of row slots (small integers), with
// insertion, removal, look-up by index and the index of a slot all in O(log n): an
// implicit treap whose nodes carry subtree sizes and parent links. Priorities come
// from a fixed pseudo-random sequence, so the shape, and every result, is deterministic.
class RowOrder {
 public:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  // A small value kept inside each slot's node, beside the links a search reads anyway,
  // so that a search can often decide without touching the slot's own data.
  using Hint = std::array<std::uint64_t, 3>;

  std::uint32_t size() const { return sizeOf(m_root); }

  // The slot at an index (index < size()).
  std::uint32_t at(std::uint32_t index) const;

  // The index of a slot that is in the sequence.
  std::uint32_t indexOf(std::uint32_t slot) const;

  // The hint of a slot, which stays with it while it leaves and re-enters the sequence.
  void setHint(std::uint32_t slot, const Hint& hint);
  const Hint& hint(std::uint32_t slot) const { return m_nodes[slot].hint; }

  // Puts a slot that is not in the sequence at an index (index <= size()).
  void insert(std::uint32_t index, std::uint32_t slot);

  // Puts a slot that is not in the sequence at partitionPoint(goesBefore) and returns
  // that index: one descent, then rotations up, without a second search.
  template <class Pred>
  std::uint32_t insertAtPartition(std::uint32_t slot, Pred goesBefore) {
    prepare(slot);
    std::uint32_t index = 0;
    std::uint32_t parent = kNone;
    bool right = false;
    for (std::uint32_t t = m_root; t != kNone;) {
      parent = t;
      right = goesBefore(t);
      if (right) {
        index += sizeOf(m_nodes[t].left) + 1;
        t = m_nodes[t].right;
      } else {
        t = m_nodes[t].left;
      }
    }
    attach(slot, parent, right);
    return index;
  }

  // Takes the slots at first..last (inclusive) out; returns them in order.
  std::vector<std::uint32_t> erase(std::uint32_t first, std::uint32_t last);

  // Replaces the whole sequence, in O(n).
  void assign(const std::vector<std::uint32_t>& slots);

  // The number of leading slots for which goesBefore(slot) holds, assuming it holds for
  // a prefix of the sequence and for nothing after it (a binary search).
  template <class Pred>
  std::uint32_t partitionPoint(Pred goesBefore) const {
    std::uint32_t count = 0;
    for (std::uint32_t t = m_root; t != kNone;) {
      if (goesBefore(t)) {
        count += sizeOf(m_nodes[t].left) + 1;
        t = m_nodes[t].right;
      } else {
        t = m_nodes[t].left;
      }
    }
    return count;
  }

  // Calls visit(slot) for every slot in order.
  template <class Visit>
  void forEach(Visit visit) const {
    forEachIn(m_root, visit);
  }

  // Every slot in order.
  std::vector<std::uint32_t> inOrder() const;

 private:
  struct Node {
    std::uint32_t left = kNone;
    std::uint32_t right = kNone;
    std::uint32_t parent = kNone;
    std::uint32_t size = 0;
    std::uint64_t priority = 0;
    Hint hint{};
  };

  std::uint32_t sizeOf(std::uint32_t t) const { return t == kNone ? 0 : m_nodes[t].size; }

  template <class Visit>
  void forEachIn(std::uint32_t root, Visit&& visit) const {
    std::vector<std::uint32_t> stack;
    for (std::uint32_t t = root; t != kNone || !stack.empty();) {
      if (t != kNone) {
        stack.push_back(t);
        t = m_nodes[t].left;
      } else {
        t = stack.back();
        stack.pop_back();
        visit(t);
        t = m_nodes[t].right;
      }
    }
  }

  void prepare(std::uint32_t slot);
  void pull(std::uint32_t t);
  void split(std::uint32_t t, std::uint32_t count, std::uint32_t& left, std::uint32_t& right);
  std::uint32_t merge(std::uint32_t left, std::uint32_t right);
  void setRoot(std::uint32_t t);
  void attach(std::uint32_t slot, std::uint32_t parent, bool right);
  void rotateUp(std::uint32_t x);

  std::vector<Node> m_nodes;  // indexed by slot
  std::uint32_t m_root = kNone;
  std::uint64_t m_seed = 0x9E3779B97F4A7C15ull;
};

}  // namespace quillon::results
