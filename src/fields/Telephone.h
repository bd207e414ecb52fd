#pragma once

#include "fields/Span.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Telephone and fax numbers in a text.
//
// A candidate is a run of 6 to 17 ASCII digits with at most two separators (blanks, ".",
// "-", "/", parentheses, dashes) between digits, an optional "+" first, not touching a
// letter or digit on either side. A candidate is a telephone when
//  - it comes from a tel:, callto: or fax: link;
//  - or it is a plain run of 6 to 15 digits ("0420909405");
//  - or libphonenumber finds it valid for the page's country (or valid where its "+" or
//    "00" says, or possible there);
//  - or, when the country is unknown, it is shaped like a number (up to 15 digits; a "+",
//    "(" or "0" first, or 8 digits or more) and not like a date or a grouped amount.
// A candidate with separators on a page of a known country is thus one that libphonenumber
// accepts: "12 00198" (a house number and a postal code) is no Italian telephone.

namespace quillon::fields {

struct TelephoneMatch {
  std::string number;  // as the page wrote it; a link's address percent-decoded
  Span span;           // in the text given (a link: the address after its scheme)
};

// The first telephone of the text, for a country as in Country.h ("" unknown). A text that
// begins with tel:, callto: or fax: is a link's address: the whole address is the number.
std::optional<TelephoneMatch> telephoneIn(std::string_view text, std::string_view country);

// Whether the whole value is a telephone: one or more numbers and, beside them, at most a
// short label ("Tel. 91 555 12 34", "tel:+34915551234", "Fax: 91 555 12 35").
bool isTelephone(std::string_view value, std::string_view country);

// The PCRE2 pattern (UTF-8) whose first group is the first candidate of a text.
std::string telephonePattern();

// How many ASCII digits the text has, counting at most up to limit.
std::size_t countDigits(std::string_view text, std::size_t limit = std::string_view::npos);

}  // namespace quillon::fields
