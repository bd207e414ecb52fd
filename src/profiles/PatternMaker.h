#pragma once

#include "profiles/Profile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::profiles {

// A pattern that cuts a value out of an element's text, as the teacher writes it for an
// example that is only part of the text ("28013" of "28013 Madrid", "91 555 12 34" of
// "Tel. 91 555 12 34"). Of the patterns whose first group gives exactly the example from the
// example's text, the one that also matches the most of the other listings' texts for the
// same field, and the shortest of those. Nothing when no pattern gives the example.
std::optional<std::string> makePattern(std::string_view text, std::size_t offset,
                                       std::string_view example,
                                       const std::vector<std::string>& otherTexts);

// The pattern of the column's kind (fields::patternFor: a telephone, an e-mail, or an address
// part read by its country's shape, never by a count of words) when its first group gives
// exactly the example from the text. The shape is the country's, else the one the text is
// read by. Nothing for a column without such a pattern (name, activity, web address).
std::optional<std::string> kindPattern(Column column, std::string_view text,
                                       std::string_view example, std::string_view country);

}  // namespace quillon::profiles
