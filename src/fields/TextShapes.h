#pragma once

#include <string_view>

// Shapes of texts on a result page that are no field of a listing.

namespace quillon::fields {

// Which of the caption lists of Words.h a text is in, compared without case and accents,
// with arrows and other signs around it aside.
enum class Caption {
  None,
  Button,   // "Website", "More info ›"
  Reveal,   // "Show phone", "Ver teléfono"
  AdMark,   // "Sponsored", "Anuncio"
  Section,  // "Handy tips", "Related searches"
};
Caption captionOf(std::string_view text);

// A caption of any of them: never a business name.
bool isButtonCaption(std::string_view text);

// A number with a currency beside it ("25 €", "$1,200", "desde 30 EUR").
bool looksLikePrice(std::string_view text);

// A date or a time written in digits ("12/03/2024", "2024-03-12", "9:30").
bool hasDateOrTime(std::string_view text);

}  // namespace quillon::fields
