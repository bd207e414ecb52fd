#pragma once

#include "fields/Kinds.h"
#include "profiles/Profile.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace quillon::parsers {
class RegExpr;
}

namespace quillon::profiles {

// Turns what a profile's field elements give (their text or attribute) into column values:
// white space collapsed and trimmed; from an attribute, a web address or e-mail drops a
// leading "mailto:" or "tel:" and a telephone a leading "tel:", "callto:" or "fax:" (the rest
// percent-decoded, an e-mail's "?subject=" part dropped); with a pattern, its first group, or
// empty when it does not match; and empty when the field checks its kind and the value is not
// of it on the page. The patterns are compiled once, here.
class FieldValues {
 public:
  // Throws ProfileError for a pattern that does not compile or has no group.
  explicit FieldValues(const Profile& profile);
  ~FieldValues();
  FieldValues(const FieldValues&) = delete;
  FieldValues& operator=(const FieldValues&) = delete;

  // The page the values come from: its country and the directory's hosts.
  void setPage(fields::PageContext page) { m_page = std::move(page); }

  // The column's value, its kind checked.
  std::string value(Column column, std::string_view raw);
  // The same before the kind check.
  std::string read(Column column, std::string_view raw);
  // Whether the field's rule keeps the value: it checks no kind, or the value is of it.
  bool keeps(Column column, std::string_view value) const;

 private:
  const Profile& m_profile;
  std::array<std::unique_ptr<parsers::RegExpr>, kColumnCount> m_patterns;
  fields::PageContext m_page;
};

// Whether a value can stand in the column on the page: it is of the column's kind
// (fields::isOfKind). A name need only be no telephone, e-mail, web address or button
// caption: a row without its name is lost, and "3M" is a name that looks like none.
bool fitsColumn(Column column, std::string_view value, const fields::PageContext& page);

// The compiled pattern, or a ProfileError that says why not.
std::unique_ptr<parsers::RegExpr> compileFieldPattern(std::string_view pattern);

// The value without its address scheme, as above (the column decides which schemes go).
std::string withoutScheme(Column column, std::string_view value);

}  // namespace quillon::profiles
