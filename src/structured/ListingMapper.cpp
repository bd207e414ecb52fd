#include "structured/ListingMapper.h"

#include "structured/SchemaNames.h"
#include "text/Ascii.h"
#include "text/CharacterReferences.h"
#include "text/TextRules.h"
#include "text/Utf8.h"
#include "url/UrlResolution.h"

#include <algorithm>

namespace quillon::structured {
namespace {

// Many sites write JSON-LD through their HTML templates, so values arrive escaped a second
// time ("Smith &amp; Sons"): script text is never unescaped by the HTML parser.
std::string cleaned(std::string_view text) {
  return text::collapseWhiteSpace(text::decodeCharacterReferences(text));
}

struct Address {
  std::string street, postalCode, locality, region;
  bool empty() const {
    return street.empty() && postalCode.empty() && locality.empty() && region.empty();
  }
};

Address addressOf(const NodeGraph& graph, const Node& node) {
  const Property* address = node.property("address");
  if (address == nullptr) return {};
  for (const Value& value : address->values) {
    Address out;
    if (value.node < 0) {
      out.street = cleaned(value.text);
    } else {
      const Node& part = graph.nodes[static_cast<std::size_t>(graph.resolve(value.node))];
      out = {firstText(part, "streetAddress"), firstText(part, "postalCode"),
             firstText(part, "addressLocality"), firstText(part, "addressRegion")};
    }
    if (!out.empty()) return out;
  }
  return {};
}

std::string webAddress(const Node& node, std::string_view pageUrl) {
  const std::string url = firstText(node, "url");
  if (url.empty()) return url;
  std::string absolute = url::resolveUrl(pageUrl, url);
  return absolute.empty() ? url : absolute;
}

// The address of a mailto: link (microdata gives the link itself, percent-encoded): the part
// before any "?subject=...", decoded when that gives UTF-8.
std::string mailtoAddress(std::string_view link) {
  link = link.substr(0, link.find('?'));
  const std::string decoded = text::percentDecoded(link);
  return text::collapseWhiteSpace(text::isValidUtf8(decoded) ? decoded : link);
}

std::string emailAddress(const Node& node) {
  const std::string email = firstText(node, "email");
  return text::startsWithNoCase(email, "mailto:") ? mailtoAddress(std::string_view(email).substr(7))
                                                  : email;
}

}  // namespace

std::string firstText(const Node& node, std::string_view property) {
  const Property* p = node.property(property);
  if (p == nullptr) return {};
  for (const Value& value : p->values) {
    if (value.node >= 0) continue;
    std::string text = cleaned(value.text);
    if (!text.empty()) return text;
  }
  return {};
}

Listing listingColumns(const NodeGraph& graph, int node, std::string_view pageUrl) {
  const Node& n = graph.nodes[static_cast<std::size_t>(node)];
  Address address = addressOf(graph, n);
  Listing listing;
  listing[Column::Name] = firstText(n, "name");
  listing[Column::Activity] = activityOf(n.types);
  listing[Column::Fax] = firstText(n, "faxNumber");
  listing[Column::Telephone] = firstText(n, "telephone");
  listing[Column::Street] = std::move(address.street);
  listing[Column::PostalCode] = std::move(address.postalCode);
  listing[Column::Locality] = std::move(address.locality);
  listing[Column::Region] = std::move(address.region);
  listing[Column::Url] = webAddress(n, pageUrl);
  listing[Column::Email] = emailAddress(n);
  return listing;
}

std::optional<Listing> mapListing(const NodeGraph& graph, int node, std::string_view pageUrl) {
  const Node& n = graph.nodes[static_cast<std::size_t>(node)];
  const bool listingType = std::any_of(
      n.types.begin(), n.types.end(), [](const std::string& t) { return !isPageStructureType(t); });
  if (!listingType) return std::nullopt;
  Listing listing = listingColumns(graph, node, pageUrl);
  const auto has = [&listing](Column c) { return !listing[c].empty(); };
  const bool data = has(Column::Telephone) || has(Column::Street) || has(Column::PostalCode) ||
                    has(Column::Locality) || has(Column::Region);
  if (!has(Column::Name) || !data) return std::nullopt;
  return listing;
}

bool hasTelephoneOrAddress(const NodeGraph& graph, int node) {
  const Node& n = graph.nodes[static_cast<std::size_t>(node)];
  return !firstText(n, "telephone").empty() || !addressOf(graph, n).empty();
}

}  // namespace quillon::structured
