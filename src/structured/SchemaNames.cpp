#include "structured/SchemaNames.h"

#include <algorithm>
#include <array>

namespace quillon::structured {
namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (c != prefix[i]) return false;
  }
  return true;
}

bool isLower(char c) { return c >= 'a' && c <= 'z'; }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A plain schema.org-style name: letters and digits only.
bool isPlainName(std::string_view type) {
  return !type.empty() && std::all_of(type.begin(), type.end(), [](char c) {
    return isLower(c) || isUpper(c) || isDigit(c);
  });
}

constexpr std::array<std::string_view, 14> kPageStructure = {
    "WebSite",      "WebPage",     "CollectionPage", "SearchResultsPage",
    "ItemList",     "ListItem",    "BreadcrumbList", "SiteNavigationElement",
    "SearchAction", "ImageObject", "Offer",          "AggregateRating",
    "Rating",       "Review"};

constexpr std::array<std::string_view, 5> kGeneral = {"LocalBusiness", "Organization",
                                                      "Corporation", "Place", "Thing"};

template <std::size_t N>
bool isOneOf(std::string_view name, const std::array<std::string_view, N>& names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::string_view schemaName(std::string_view name) {
  std::string_view rest = name;
  if (startsWithNoCase(rest, "https://")) {
    rest.remove_prefix(8);
  } else if (startsWithNoCase(rest, "http://")) {
    rest.remove_prefix(7);
  } else {
    return name;
  }
  if (startsWithNoCase(rest, "www.")) rest.remove_prefix(4);
  if (!startsWithNoCase(rest, "schema.org/")) return name;
  rest.remove_prefix(11);
  if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
  return rest;
}

bool isPageStructureType(std::string_view type) { return isOneOf(type, kPageStructure); }

std::string activityOf(const std::vector<std::string>& types) {
  for (const std::string& type : types) {
    if (isPlainName(type) && !isOneOf(std::string_view(type), kGeneral) &&
        !isPageStructureType(type)) {
      return typeWords(type);
    }
  }
  return {};
}

std::string typeWords(std::string_view type) {
  std::string out;
  out.reserve(type.size() + 4);
  for (std::size_t i = 0; i < type.size(); ++i) {
    const char c = type[i];
    if (i > 0 && isUpper(c)) {
      const char before = type[i - 1];
      const bool afterWord = isLower(before) || isDigit(before);
      const bool endsCapitalRun = isUpper(before) && i + 1 < type.size() && isLower(type[i + 1]);
      if (afterWord || endsCapitalRun) out += ' ';
    }
    out += c;
  }
  return out;
}

}  // namespace quillon::structured
