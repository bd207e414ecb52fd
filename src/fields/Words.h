#pragma once

#include <span>
#include <string_view>

// The word lists of the field kinds, in one place (Words.cpp holds nothing else). Lists of
// words compared without case are written in lower case; the recognisers and the patterns
// made for the teacher both read them from here.

namespace quillon::fields::words {

// Words that name a kind of street, as whole words ("Calle", "Via", "rue", "St", "ul.").
std::span<const std::string_view> streetWords();
// Endings of compound street names ("Hauptstraße", "Keizersgracht"); none that ends
// everyday words ("Spring", "Catering").
std::span<const std::string_view> streetEndings();
// Labels before a telephone or an address on a card: they end a locality ("Madrid Tel.").
std::span<const std::string_view> labelWords();
// Labels written before a postal code ("C.P. 06600"), compared as written.
std::span<const std::string_view> postalLabels();
// Country names: after a locality and a comma they are no province ("75012 Paris, France").
std::span<const std::string_view> countryNames();
// Captions of buttons and links that are never a business name ("Show phone", "Website").
std::span<const std::string_view> buttonCaptions();
// Currency signs and codes that make a number a price.
std::span<const std::string_view> currencies();

// Region codes written before a postal code, compared as written.
std::span<const std::string_view> australianStates();
std::span<const std::string_view> canadianProvinces();

// A language that is spoken mainly in one country, and that country ("it" -> "IT").
struct LanguageCountry {
  std::string_view language;
  std::string_view country;
};
std::span<const LanguageCountry> languageCountries();

// Two-letter domains that are sold for other uses than their country's (".io", ".tv").
std::span<const std::string_view> genericCountryDomains();

}  // namespace quillon::fields::words
