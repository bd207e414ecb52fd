#pragma once

#include <string_view>

// Shapes of texts on a result page that are no field of a listing.

namespace quillon::fields {

// A caption of a button or link ("Show phone", "Ver teléfono", "Website", "More info ›"),
// compared without case and accents, with arrows and other signs around it aside.
bool isButtonCaption(std::string_view text);

// A number with a currency beside it ("25 €", "$1,200", "desde 30 EUR").
bool looksLikePrice(std::string_view text);

// A date or a time written in digits ("12/03/2024", "2024-03-12", "9:30").
bool hasDateOrTime(std::string_view text);

}  // namespace quillon::fields
