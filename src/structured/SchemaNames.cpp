#include "structured/SchemaNames.h"

#include "text/Ascii.h"

#include <algorithm>
#include <array>

namespace quillon::structured {
namespace {

// A plain schema.org-style name: letters and digits only.
bool isPlainName(std::string_view type) {
  return !type.empty() && std::all_of(type.begin(), type.end(), text::isAsciiAlphanumeric);
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
  if (text::startsWithNoCase(rest, "https://")) {
    rest.remove_prefix(8);
  } else if (text::startsWithNoCase(rest, "http://")) {
    rest.remove_prefix(7);
  } else {
    return name;
  }
  if (text::startsWithNoCase(rest, "www.")) rest.remove_prefix(4);
  if (!text::startsWithNoCase(rest, "schema.org/")) return name;
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
    if (i > 0 && text::isAsciiUpper(c)) {
      const char before = type[i - 1];
      const bool afterWord = text::isAsciiLower(before) || text::isAsciiDigit(before);
      const bool endsCapitalRun =
          text::isAsciiUpper(before) && i + 1 < type.size() && text::isAsciiLower(type[i + 1]);
      if (afterWord || endsCapitalRun) out += ' ';
    }
    out += c;
  }
  return out;
}

}  // namespace quillon::structured
