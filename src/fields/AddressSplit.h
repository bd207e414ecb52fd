#pragma once

#include "fields/Span.h"

#include <string_view>

// The parts of an address written as one text ("240 rue Fbg St Antoine 75012 Paris",
// "00198 Roma (RM)", "Bungalow QLD 4870", "C.P. 06600, Ciudad de México, CDMX"), found by
// the shape of its postal code and the words around it, never by counting words.
//
// Around the code the shape places (PostalShapes.h):
//  - code first: the locality is the words after it (",", "(", ";", "|", a line break, a
//    digit or a label such as "Tel." ends them); the province follows in parentheses
//    ("(RM)") or after a comma when it is no country name ("CDMX", not "France"); the
//    street is the text before the code, without a label such as "C.P." and the blanks,
//    commas and dashes that join them;
//  - code last: the province is the region before the code ("IL", "QLD", "ON"); the
//    locality is the words before that, back to a comma, a word with a digit or a street
//    word ("12 Smith St Bungalow QLD 4870"); the street is the text before the locality.
// A word is at most 40 characters long and a locality or province at most 8 words. A text
// of more than 400 characters is no address.

namespace quillon::fields {

struct AddressParts {
  Span street, postalCode, locality, province;  // empty when the text has none
  // The country whose shape the text was read by (see shapeOf): the country given when
  // Quillon knows its shape, else the first shape in the trial order whose code sits beside
  // a word, else the first that finds a code at all. Empty when no code was found.
  std::string_view shape;
};

// The parts of the text for a country ("" unknown). Without a postal code only a street can
// be told: a text that looks like one (a street word, or a house number and a word) is all
// street.
AddressParts splitAddress(std::string_view text, std::string_view country);

}  // namespace quillon::fields
