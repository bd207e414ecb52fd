#pragma once

#include <string_view>

// What libphonenumber says of a number. The only unit that includes its headers.

namespace quillon::fields {

enum class PhoneVerdict { No, Possible, Valid };

// The verdict on a number given as its digits (ASCII, at most 20, a leading "+" for an
// international one) for a country (two capitals; empty or unknown to libphonenumber: only
// an international number can be judged). Verdicts are remembered, since a page asks about
// the same numbers again and again while its selectors are compared.
PhoneVerdict checkPhoneNumber(std::string_view digits, std::string_view country);

// Whether libphonenumber knows the country's numbers.
bool isPhoneCountry(std::string_view country);

}  // namespace quillon::fields
