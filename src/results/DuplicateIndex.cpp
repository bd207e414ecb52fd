#include "results/DuplicateIndex.h"

#include <functional>
#include <utility>

namespace quillon::results {

std::uint64_t DuplicateIndex::hashOf(std::string_view phone, std::string_view name) {
  const std::uint64_t a = std::hash<std::string_view>{}(phone);
  const std::uint64_t b = std::hash<std::string_view>{}(name);
  std::uint64_t h = a ^ (b + 0x9E3779B97F4A7C15ull + (a << 6) + (a >> 2));
  // A final mix, since the low bits pick the slot.
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  return h;
}

bool DuplicateIndex::holds(const Entry& entry, std::string_view phone,
                           std::string_view name) const {
  const std::string_view key = m_keys[entry.key];
  const std::uint32_t phoneSize = m_phoneSize[entry.key];
  return phoneSize == phone.size() && key.size() == phone.size() + name.size() &&
         key.substr(0, phoneSize) == phone && key.substr(phoneSize) == name;
}

// The slot that holds the pair, or the empty slot where it would go.
std::size_t DuplicateIndex::find(std::uint64_t hash, std::string_view phone,
                                 std::string_view name) const {
  const std::size_t mask = m_entries.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Entry& entry = m_entries[i];
    if (entry.key == kEmpty) return i;
    if (entry.hash == hash && holds(entry, phone, name)) return i;
  }
}

void DuplicateIndex::grow() {
  std::vector<Entry> old = std::move(m_entries);
  m_entries.assign(old.empty() ? 64 : old.size() * 2, Entry{});
  const std::size_t mask = m_entries.size() - 1;
  for (const Entry& entry : old) {
    if (entry.key == kEmpty) continue;
    std::size_t i = entry.hash & mask;
    while (m_entries[i].key != kEmpty) i = (i + 1) & mask;
    m_entries[i] = entry;
  }
}

void DuplicateIndex::add(std::string_view phone, std::string_view name) {
  if (phone.empty()) return;
  if (2 * (m_size + 1) > m_entries.size()) grow();
  const std::uint64_t hash = hashOf(phone, name);
  Entry& entry = m_entries[find(hash, phone, name)];
  if (entry.key != kEmpty) {
    ++entry.count;
    return;
  }
  std::string key;
  key.reserve(phone.size() + name.size());
  key.append(phone).append(name);
  if (m_freeKeys.empty()) {
    entry.key = static_cast<std::uint32_t>(m_keys.size());
    m_keys.push_back(std::move(key));
    m_phoneSize.push_back(static_cast<std::uint32_t>(phone.size()));
  } else {
    entry.key = m_freeKeys.back();
    m_freeKeys.pop_back();
    m_keys[entry.key] = std::move(key);
    m_phoneSize[entry.key] = static_cast<std::uint32_t>(phone.size());
  }
  entry.hash = hash;
  entry.count = 1;
  ++m_size;
}

void DuplicateIndex::remove(std::string_view phone, std::string_view name) {
  if (phone.empty() || m_entries.empty()) return;
  std::size_t hole = find(hashOf(phone, name), phone, name);
  Entry& entry = m_entries[hole];
  if (entry.key == kEmpty || --entry.count > 0) return;
  m_keys[entry.key] = std::string();
  m_freeKeys.push_back(entry.key);
  --m_size;
  // Backward shift: later entries of the run move up into the hole when their home
  // slot does not lie between the hole and them, so no look-up stops short.
  const std::size_t mask = m_entries.size() - 1;
  for (std::size_t i = (hole + 1) & mask; m_entries[i].key != kEmpty; i = (i + 1) & mask) {
    const std::size_t home = m_entries[i].hash & mask;
    if (((i - home) & mask) >= ((i - hole) & mask)) {
      m_entries[hole] = m_entries[i];
      hole = i;
    }
  }
  m_entries[hole] = Entry{};
}

bool DuplicateIndex::contains(std::string_view phone, std::string_view name) const {
  if (phone.empty() || m_entries.empty()) return false;
  return m_entries[find(hashOf(phone, name), phone, name)].key != kEmpty;
}

}  // namespace quillon::results
