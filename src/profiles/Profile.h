#pragma once

#include "results/TableColumns.h"
#include "structured/Listing.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::profiles {

using structured::Column;
using structured::kColumnCount;

// How one column is read from a listing's container.
struct FieldRule {
  // CSS, relative to the container: the first element it matches gives the value.
  std::string selector;
  // Empty: the element's visible text; else the attribute's value (href and src absolute).
  std::string attribute;
  // Empty: the whole value; else a PCRE2 pattern whose first group is the value.
  std::string pattern;
  // The value the schema.org reader gives for the listing's own item instead.
  bool fromStructuredData = false;
  // Whether a value that is not of the column's kind (fields::kindOfColumn) is left out: a
  // telephone column never holds an e-mail address, nor the web column a page of the
  // directory. The activity has no kind; structured data is not checked.
  bool checkKind = true;

  bool operator==(const FieldRule&) const = default;
};

// A site profile: how the listings of one directory's result pages are read.
struct Profile {
  std::string name;
  std::vector<std::string> hosts;  // "example.com" or "*.example.com"
  std::string listing;             // CSS of one listing's container
  std::array<std::optional<FieldRule>, kColumnCount> fields;
  std::string next;      // CSS of the next-page link; empty: the auto mode's rules
  std::string reveal;    // CSS of elements to click inside each listing first
  std::string loadMore;  // CSS of a "load more" button
  results::CaptionSet captions = results::CaptionSet::English;
  bool emailLookup = false;

  std::optional<FieldRule>& operator[](Column c) { return fields[static_cast<std::size_t>(c)]; }
  const std::optional<FieldRule>& operator[](Column c) const {
    return fields[static_cast<std::size_t>(c)];
  }
  bool operator==(const Profile&) const = default;
};

// The key of a column in a profile file: "name", "activity", "fax", "phone", "street", "zip",
// "city", "province", "web", "email".
std::string_view fieldKey(Column column);
std::optional<Column> columnForKey(std::string_view key);
inline Column columnAt(std::size_t index) { return static_cast<Column>(index); }

// Whether the host (lower case) is one of the profile's hosts; "*.example.com" takes
// example.com and every host below it.
bool matchesHost(const Profile& profile, std::string_view host);

}  // namespace quillon::profiles
