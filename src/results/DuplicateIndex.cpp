#include "results/DuplicateIndex.h"

#include <cstring>

namespace quillon::results {

// The telephone's length goes first, so that no two different pairs share a key.
std::string DuplicateIndex::keyOf(std::string_view phone, std::string_view name) {
  const std::uint64_t length = phone.size();
  std::string key(sizeof length, '\0');
  std::memcpy(key.data(), &length, sizeof length);
  key.reserve(sizeof length + phone.size() + name.size());
  key.append(phone);
  key.append(name);
  return key;
}

void DuplicateIndex::add(std::string_view phone, std::string_view name) {
  if (phone.empty()) return;
  ++m_counts[keyOf(phone, name)];
}

void DuplicateIndex::remove(std::string_view phone, std::string_view name) {
  if (phone.empty()) return;
  const auto it = m_counts.find(keyOf(phone, name));
  if (it == m_counts.end()) return;
  if (--it->second == 0) m_counts.erase(it);
}

bool DuplicateIndex::contains(std::string_view phone, std::string_view name) const {
  if (phone.empty()) return false;
  return m_counts.find(keyOf(phone, name)) != m_counts.end();
}

}  // namespace quillon::results
