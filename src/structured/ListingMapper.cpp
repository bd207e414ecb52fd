#include "structured/ListingMapper.h"

#include "structured/SchemaNames.h"
#include "text/Ascii.h"
#include "text/CharacterReferences.h"
#include "text/TextRules.h"
#include "text/Utf8.h"
#include "url/UrlParts.h"
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

const Node& nodeOf(const NodeGraph& graph, int value) {
  return graph.nodes[static_cast<std::size_t>(graph.resolve(value))];
}

// An address given as a value: a text whole, or a node's parts; a node without parts (an
// address item of text only) whole as its text or its name.
Address addressValue(const NodeGraph& graph, const Value& value) {
  if (value.node < 0) return {cleaned(value.text), {}, {}, {}};
  const Node& part = nodeOf(graph, value.node);
  Address out{firstText(part, "streetAddress"), firstText(part, "postalCode"),
              firstText(part, "addressLocality"), firstText(part, "addressRegion")};
  if (out.empty()) out.street = cleaned(value.text);
  if (out.empty() && part.hasType("PostalAddress")) out.street = firstText(part, "name");
  return out;
}

Address firstAddress(const NodeGraph& graph, const Node& node) {
  const Property* address = node.property("address");
  if (address == nullptr) return {};
  for (const Value& value : address->values) {
    Address out = addressValue(graph, value);
    if (!out.empty()) return out;
  }
  return {};
}

Address addressOf(const NodeGraph& graph, const Node& node) {
  Address out = firstAddress(graph, node);
  if (!out.empty()) return out;
  const Property* location = node.property("location");
  if (location == nullptr) return {};
  for (const Value& value : location->values) {
    if (value.node >= 0) {
      const Node& place = nodeOf(graph, value.node);
      if (place.property("address") != nullptr) {
        out = firstAddress(graph, place);
      } else if (place.hasType("PostalAddress")) {
        out = addressValue(graph, value);
      }
    } else {
      out = addressValue(graph, value);
    }
    if (!out.empty()) return out;
  }
  return {};
}

// A telephone or fax number without the scheme of a link to it.
std::string number(std::string text) {
  for (const std::string_view scheme : {"tel:", "callto:", "fax:"}) {
    if (text::startsWithNoCase(text, scheme)) {
      const std::string decoded =
          text::percentDecoded(std::string_view(text).substr(scheme.size()));
      return text::collapseWhiteSpace(text::isValidUtf8(decoded) ? decoded
                                                                 : text.substr(scheme.size()));
    }
  }
  return text;
}

// The node's value of the property, else that of its first contactPoint that has one.
std::string ownOrContact(const NodeGraph& graph, const Node& node, std::string_view property) {
  std::string own = firstText(node, property);
  if (!own.empty()) return own;
  const Property* contacts = node.property("contactPoint");
  if (contacts == nullptr) return {};
  for (const Value& value : contacts->values) {
    if (value.node < 0) continue;
    if (std::string found = firstText(nodeOf(graph, value.node), property); !found.empty()) {
      return found;
    }
  }
  return {};
}

// The address a url value names, absolute; a host written without a scheme is a web address.
std::string absoluteAddress(std::string_view pageUrl, const std::string& written) {
  if (!url::schemeOf(written) && !written.starts_with('/') &&
      !fields::webAddressHost(written).empty()) {
    return "http://" + written;
  }
  std::string absolute = url::resolveUrl(pageUrl, written);
  return absolute.empty() ? written : absolute;
}

std::string webAddress(const Node& node, std::string_view pageUrl,
                       const fields::DirectoryHosts& directory) {
  for (const std::string_view property : {"url", "sameAs"}) {
    const Property* p = node.property(property);
    if (p == nullptr) continue;
    for (const Value& value : p->values) {
      if (value.node >= 0) continue;
      const std::string written = cleaned(value.text);
      if (written.empty()) continue;
      std::string address = absoluteAddress(pageUrl, written);
      if (fields::isBusinessWebsite(address, directory)) return address;
    }
  }
  return {};
}

// The address of a mailto: link (microdata gives the link itself, percent-encoded): the part
// before any "?subject=...", decoded when that gives UTF-8.
std::string mailtoAddress(std::string_view link) {
  link = link.substr(0, link.find('?'));
  const std::string decoded = text::percentDecoded(link);
  return text::collapseWhiteSpace(text::isValidUtf8(decoded) ? decoded : link);
}

std::string emailAddress(const NodeGraph& graph, const Node& node) {
  const std::string email = ownOrContact(graph, node, "email");
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

Listing listingColumns(const NodeGraph& graph, int node, std::string_view pageUrl,
                       const fields::DirectoryHosts& directory) {
  const Node& n = graph.nodes[static_cast<std::size_t>(node)];
  Address address = addressOf(graph, n);
  Listing listing;
  listing[Column::Name] = firstText(n, "name");
  listing[Column::Activity] = activityOf(n.types);
  listing[Column::Fax] = number(ownOrContact(graph, n, "faxNumber"));
  listing[Column::Telephone] = number(ownOrContact(graph, n, "telephone"));
  listing[Column::Street] = std::move(address.street);
  listing[Column::PostalCode] = std::move(address.postalCode);
  listing[Column::Locality] = std::move(address.locality);
  listing[Column::Region] = std::move(address.region);
  listing[Column::Url] = webAddress(n, pageUrl, directory);
  listing[Column::Email] = emailAddress(graph, n);
  return listing;
}

std::optional<Listing> mapListing(const NodeGraph& graph, int node, std::string_view pageUrl,
                                  const fields::DirectoryHosts& directory) {
  const Node& n = graph.nodes[static_cast<std::size_t>(node)];
  const bool listingType = std::any_of(
      n.types.begin(), n.types.end(), [](const std::string& t) { return !isPageStructureType(t); });
  if (!listingType) return std::nullopt;
  Listing listing = listingColumns(graph, node, pageUrl, directory);
  const auto has = [&listing](Column c) { return !listing[c].empty(); };
  const bool data = has(Column::Telephone) || has(Column::Street) || has(Column::PostalCode) ||
                    has(Column::Locality) || has(Column::Region);
  if (!has(Column::Name) || !data) return std::nullopt;
  return listing;
}

bool hasTelephoneOrAddress(const NodeGraph& graph, int node) {
  const Node& n = graph.nodes[static_cast<std::size_t>(node)];
  return !number(ownOrContact(graph, n, "telephone")).empty() || !addressOf(graph, n).empty();
}

}  // namespace quillon::structured
