#pragma once

#include <string_view>

namespace quillon::fields {

// What in a text tells a street.
struct StreetSigns {
  bool streetWord = false;           // a street word or a compound street name
  bool houseNumber = false;          // "12", "12b", "221B", "12-14"
  bool numberBesideCapital = false;  // a house number beside a capitalised word

  bool street() const { return streetWord || numberBesideCapital; }
  bool streetAndNumber() const { return streetWord && houseNumber; }
};
StreetSigns streetSigns(std::string_view text);

// Whether a text can be a street: it has a street word ("Calle", "Via", "rue", "St",
// "ul.", "Οδός"), a compound street name ("Hauptstraße", "Keizersgracht"), or a house
// number beside a capitalised word ("Broadway 1500", "1500 Broadway", "221B Baker").
inline bool looksLikeStreet(std::string_view text) { return streetSigns(text).street(); }

// Whether the text has both a street word (or compound street name) and a house number:
// an address, not a name ("Calle Mayor 5"; "Bar Calle Mayor" and "Studio 54" are names).
inline bool hasStreetAndNumber(std::string_view text) {
  return streetSigns(text).streetAndNumber();
}

}  // namespace quillon::fields
