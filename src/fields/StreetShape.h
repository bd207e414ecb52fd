#pragma once

#include <string_view>

namespace quillon::fields {

// Whether a text can be a street: it has a street word ("Calle", "Via", "rue", "St",
// "ul.", "Οδός"), a compound street name ("Hauptstraße", "Keizersgracht"), or a house
// number beside a capitalised word ("Broadway 1500", "1500 Broadway", "221B Baker").
bool looksLikeStreet(std::string_view text);

// Whether the text has both a street word (or compound street name) and a house number:
// an address, not a name ("Calle Mayor 5"; "Bar Calle Mayor" and "Studio 54" are names).
bool hasStreetAndNumber(std::string_view text);

}  // namespace quillon::fields
