#include "fields/Country.h"

#include "fields/HostNames.h"
#include "fields/TextScan.h"
#include "fields/Words.h"

#include <algorithm>

namespace quillon::fields {
namespace {

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string lowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

std::string normalCountry(std::string_view code) {
  if (code.size() != 2 || !isAsciiLetter(code[0]) || !isAsciiLetter(code[1])) return {};
  std::string out(code);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out == "UK" ? "GB" : out;
}

std::string countryOfHost(std::string_view host) {
  const std::size_t dot = host.rfind('.');
  if (dot == std::string_view::npos) return {};
  const std::string top = lowerAscii(host.substr(dot + 1));
  const auto generic = words::genericCountryDomains();
  if (std::find(generic.begin(), generic.end(), top) != generic.end()) return {};
  return normalCountry(top);
}

std::string countryOfLanguage(std::string_view language) {
  language = trimSpaces(language);
  const std::size_t cut = language.find_first_of("-_");
  const std::string primary = lowerAscii(language.substr(0, cut));
  // The region is the first two-letter subtag after the language ("zh-Hant-TW").
  for (std::size_t start = cut; start != std::string_view::npos;) {
    const std::size_t end = language.find_first_of("-_", start + 1);
    const std::string_view subtag = language.substr(start + 1, end - start - 1);
    if (std::string region = normalCountry(subtag); !region.empty()) return region;
    // A numeric region is a group of countries ("419", Latin America): no one country.
    if (subtag.size() == 3 &&
        std::all_of(subtag.begin(), subtag.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      return {};
    }
    start = end;
  }
  for (const words::LanguageCountry& entry : words::languageCountries()) {
    if (entry.language == primary) return std::string(entry.country);
  }
  return {};
}

std::string pageCountry(const CountryClues& clues) {
  if (std::string country = normalCountry(trimSpaces(clues.directoryCountry)); !country.empty()) {
    return country;
  }
  for (const std::string_view url : {clues.pageUrl, clues.canonicalUrl}) {
    if (std::string country = countryOfHost(httpHost(url)); !country.empty()) return country;
  }
  return countryOfLanguage(clues.language);
}

}  // namespace quillon::fields
