#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>

// What a value of a listing is, judged by its shape: the kinds of the ten columns.

namespace quillon::fields {

enum class Kind : std::uint8_t {
  Name,       // a business name: words that are none of the kinds below, no button caption
  Telephone,  // telephone and fax numbers alike
  Email,
  Web,     // the business's own website
  Street,  // a house number or a street word
  PostalCode,
  Locality,
  Province,
};

inline constexpr std::size_t kKindCount = 8;

// A set of kinds: what one value can be.
class KindSet {
 public:
  constexpr KindSet() = default;
  constexpr KindSet(std::initializer_list<Kind> kinds) {
    for (const Kind kind : kinds) add(kind);
  }

  constexpr void add(Kind kind) { m_bits = static_cast<std::uint8_t>(m_bits | bit(kind)); }
  constexpr bool has(Kind kind) const { return (m_bits & bit(kind)) != 0; }
  constexpr bool empty() const { return m_bits == 0; }
  constexpr bool operator==(const KindSet&) const = default;

 private:
  static constexpr std::uint8_t bit(Kind kind) {
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(kind));
  }
  std::uint8_t m_bits = 0;
};

// "name", "telephone", "email", "web", "street", "postal code", "locality", "province".
std::string_view kindName(Kind kind);

// The kind of a results-table column (0 name ... 9 e-mail; fax and telephone share
// Telephone); nothing for the activity, which any text may be.
std::optional<Kind> kindOfColumn(std::size_t column);

}  // namespace quillon::fields
