#pragma once

#include <string>
#include <string_view>

// The country of a result page: the telephone numbers and postal codes on it are read as
// that country writes them. Countries are ISO 3166 two-letter codes in capitals ("GB" for
// the United Kingdom); empty means unknown.

namespace quillon::fields {

// What may tell a page's country, any of it empty.
struct CountryClues {
  std::string_view directoryCountry = {};  // the directory's own country, when it is known
  std::string_view pageUrl = {};
  std::string_view canonicalUrl = {};
  std::string_view language = {};  // the lang attribute of the page ("fr-FR", "es_MX", "it")
};

// The page's country, the first that gives one of: the directory's own country; the country
// domain of the page's host, then of its canonical link's host (".fr", ".com.au", ".co.uk");
// the region of the language ("es-MX"); a language spoken mainly in one country ("it").
// A directory serves the businesses of its country whatever language its page is in, and a
// domain is chosen for that country, while a bare language is the weakest hint ("es" is also
// written on Mexican pages). Empty when nothing tells.
std::string pageCountry(const CountryClues& clues);

// The country of a host's top-level domain; empty for a generic one (".com", ".io").
std::string countryOfHost(std::string_view host);

// The country of a language tag: its region ("en-AU", "es_MX"), else the country where the
// language is mainly spoken; empty for "en", "es-419" and the like.
std::string countryOfLanguage(std::string_view language);

// The code in capitals when it is two ASCII letters, else empty ("uk" gives "GB").
std::string normalCountry(std::string_view code);

}  // namespace quillon::fields
