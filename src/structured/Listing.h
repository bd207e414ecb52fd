#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace quillon::structured {

inline constexpr std::size_t kColumnCount = 10;

// The columns of a listing, in the results table's order.
enum class Column : std::size_t {
  Name,        // name
  Activity,    // the most specific type, as words
  Fax,         // faxNumber
  Telephone,   // telephone
  Street,      // address.streetAddress, or a whole address given as text
  PostalCode,  // address.postalCode
  Locality,    // address.addressLocality
  Region,      // address.addressRegion
  Url,         // url, absolute
  Email,       // email without "mailto:"
};

// One listing's ten values: UTF-8, white space collapsed and trimmed.
struct Listing {
  std::array<std::string, kColumnCount> columns;

  std::string& operator[](Column c) { return columns[static_cast<std::size_t>(c)]; }
  const std::string& operator[](Column c) const { return columns[static_cast<std::size_t>(c)]; }
  const std::string& url() const { return (*this)[Column::Url]; }

  bool operator==(const Listing&) const = default;
};

}  // namespace quillon::structured
