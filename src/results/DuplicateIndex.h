#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::results {

// The pairs (telephone, name) of the table's rows, counted, so the duplicate rule is one
// hash look-up instead of a scan. A pair with an empty telephone is never a duplicate,
// so such pairs are not kept at all.
//
// An open-addressing table (linear probing, backward-shift removal) of full 64-bit
// hashes: a look-up reads one slot run and compares the stored pair only when the whole
// hash matches, so answers are exact and a miss costs about one cache line.
class DuplicateIndex {
 public:
  void add(std::string_view phone, std::string_view name);
  // Forgets one row's pair; the pair stays known while other rows carry it.
  void remove(std::string_view phone, std::string_view name);
  // True when some row has exactly this telephone and this name (bytes, case-sensitive);
  // always false for an empty telephone.
  bool contains(std::string_view phone, std::string_view name) const;
  // The number of distinct pairs.
  std::size_t size() const { return m_size; }

 private:
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

  struct Entry {
    std::uint64_t hash = 0;
    std::uint32_t key = kEmpty;  // index into m_keys
    std::uint32_t count = 0;
  };

  static std::uint64_t hashOf(std::string_view phone, std::string_view name);
  bool holds(const Entry& entry, std::string_view phone, std::string_view name) const;
  std::size_t find(std::uint64_t hash, std::string_view phone, std::string_view name) const;
  void grow();

  std::vector<Entry> m_entries;            // capacity a power of two, at most half full
  std::vector<std::string> m_keys;         // telephone then name, for the exact check
  std::vector<std::uint32_t> m_phoneSize;  // where each key's telephone ends
  std::vector<std::uint32_t> m_freeKeys;
  std::size_t m_size = 0;
};

}  // namespace quillon::results
