#include "profiles/Profile.h"

#include <array>

namespace quillon::profiles {
namespace {

constexpr std::array<std::string_view, kColumnCount> kKeys = {
    "name", "activity", "fax", "phone", "street", "zip", "city", "province", "web", "email"};

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameHost(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string_view fieldKey(Column column) { return kKeys[static_cast<std::size_t>(column)]; }

std::optional<Column> columnForKey(std::string_view key) {
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (kKeys[i] == key) return columnAt(i);
  }
  return std::nullopt;
}

bool matchesHost(const Profile& profile, std::string_view host) {
  if (host.empty()) return false;
  for (std::string_view pattern : profile.hosts) {
    if (pattern.starts_with("*.")) {
      pattern.remove_prefix(2);
      if (sameHost(host, pattern)) return true;
      if (host.size() > pattern.size() + 1 && host[host.size() - pattern.size() - 1] == '.' &&
          sameHost(host.substr(host.size() - pattern.size()), pattern)) {
        return true;
      }
    } else if (sameHost(host, pattern)) {
      return true;
    }
  }
  return false;
}

}  // namespace quillon::profiles
