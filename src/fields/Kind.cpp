#include "fields/Kind.h"

#include <array>

namespace quillon::fields {

std::string_view kindName(Kind kind) {
  static constexpr std::array<std::string_view, kKindCount> kNames = {
      "name", "telephone", "email", "web", "street", "postal code", "locality", "province"};
  return kNames[static_cast<std::size_t>(kind)];
}

std::optional<Kind> kindOfColumn(std::size_t column) {
  static constexpr std::array<std::optional<Kind>, 10> kColumns = {
      Kind::Name,       std::nullopt,   Kind::Telephone, Kind::Telephone, Kind::Street,
      Kind::PostalCode, Kind::Locality, Kind::Province,  Kind::Web,       Kind::Email};
  return column < kColumns.size() ? kColumns[column] : std::nullopt;
}

}  // namespace quillon::fields
