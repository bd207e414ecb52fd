#include "profiles/Profile.h"

#include "text/Ascii.h"

#include <array>

namespace quillon::profiles {
namespace {

constexpr std::array<std::string_view, kColumnCount> kKeys = {
    "name", "activity", "fax", "phone", "street", "zip", "city", "province", "web", "email"};

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
      if (text::equalsNoCase(host, pattern)) return true;
      if (host.size() > pattern.size() + 1 && host[host.size() - pattern.size() - 1] == '.' &&
          text::equalsNoCase(host.substr(host.size() - pattern.size()), pattern)) {
        return true;
      }
    } else if (text::equalsNoCase(host, pattern)) {
      return true;
    }
  }
  return false;
}

}  // namespace quillon::profiles
