#pragma once

#include <string>
#include <string_view>

// Each kind's part of a text as a PCRE2 pattern (UTF-8, as parsers::RegExpr compiles a
// profile's patterns), whose first group is that part: what the recognisers find, described
// by the part's shape, never by a count of words before it. A profile taught on one listing
// then reads every listing alike.

namespace quillon::fields {

enum class Part { Telephone, Email, Street, PostalCode, Locality, Province };

// The pattern of a part. Telephone and e-mail patterns are the same everywhere; the address
// parts follow a country's shape (see splitAddress; give AddressParts::shape for a text read
// without a known country). Empty when there is none: a country whose shape Quillon does not
// know, a province where the shape has none (the United Kingdom).
std::string patternFor(Part part, std::string_view country);

}  // namespace quillon::fields
