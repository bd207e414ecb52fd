#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quillon::results {

// The pairs (telephone, name) of the table's rows, counted, so the duplicate rule is one
// hash look-up instead of a scan. A pair with an empty telephone is never a duplicate,
// so such pairs are not kept at all.
class DuplicateIndex {
 public:
  void add(std::string_view phone, std::string_view name);
  // Forgets one row's pair; the pair stays known while other rows carry it.
  void remove(std::string_view phone, std::string_view name);
  // True when some row has exactly this telephone and this name (bytes, case-sensitive);
  // always false for an empty telephone.
  bool contains(std::string_view phone, std::string_view name) const;
  std::size_t size() const { return m_counts.size(); }
  void clear() { m_counts.clear(); }

 private:
  static std::string keyOf(std::string_view phone, std::string_view name);

  std::unordered_map<std::string, std::uint32_t> m_counts;
};

}  // namespace quillon::results
