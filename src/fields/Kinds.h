#pragma once

#include "fields/DirectoryHosts.h"
#include "fields/Kind.h"

#include <string>
#include <string_view>

// The one place that judges what a value of a listing is.
//
//   fields::PageContext page{fields::pageCountry({.pageUrl = url, .language = lang}),
//                            fields::DirectoryHosts(url, canonical, {detailPage})};
//   if (!fields::isOfKind(value, fields::Kind::Telephone, page)) value.clear();
//
// See Telephone.h, Email.h, DirectoryHosts.h, AddressSplit.h and KindPatterns.h for the
// parts themselves, with their spans and patterns.

namespace quillon::fields {

// What the kinds of a page's values depend on.
struct PageContext {
  std::string country;       // as Country.h gives it; empty: unknown
  DirectoryHosts directory;  // the directory's own hosts: never a business's website
};

// Every kind the whole value (white space around it aside) can be:
//  - Telephone: one or more numbers and at most a short label (a tel:, callto: or fax:
//    link's address included);
//  - Email: one address, as text or as a mailto: link's address;
//  - Web: an http(s) address or a web address written without scheme, on a host that is
//    not the directory's;
//  - PostalCode, Locality, Province, Street: the parts that splitAddress finds (a street
//    only when it looks like one); without a postal code, a street by its look, a locality
//    as at most 6 words and a province as at most 4 words without digits;
//  - Name: see looksLikeName.
// A value that is a telephone, an e-mail or a web address is none of the other kinds; a
// link of another scheme (javascript:) or a web address on the directory's hosts is none at
// all, nor is an empty value or one of more than 400 characters.
KindSet kindsOf(std::string_view value, const PageContext& page);

// Whether the value can be of the kind, as kindsOf says.
bool isOfKind(std::string_view value, Kind kind, const PageContext& page);

// Whether a text (a heading, a card's main link) can be a business name: 2 to 150
// characters with at least two letters and no more digits than letters, at most 15 words,
// and none of a telephone, e-mail, web address (or a link's path, "/ficha/123"), rating
// ("4,5 (120 opiniones)"), price, date or time, button caption ("Show phone", "Ver
// teléfono", "Website", "More info"), or address (a postal code with its locality, or a
// street word with a house number).
bool looksLikeName(std::string_view text);

}  // namespace quillon::fields
