#include "fields/Kinds.h"

#include "fields/AddressSplit.h"
#include "fields/Email.h"
#include "fields/StreetShape.h"
#include "fields/Telephone.h"
#include "fields/TextScan.h"
#include "fields/TextShapes.h"
#include "fields/WordList.h"
#include "text/Ascii.h"

#include <algorithm>

namespace quillon::fields {
namespace {

constexpr std::size_t kMaxValueCharacters = 400;
constexpr std::size_t kMaxNameCharacters = 150;
constexpr std::size_t kMaxNameWords = 15;
constexpr std::size_t kMaxLocalityWords = 6;
constexpr std::size_t kMaxProvinceWords = 4;

// What one pass over the text tells, so that each recogniser runs only where it can match.
struct Outline {
  std::size_t characters = 0, letters = 0, digits = 0, words = 0;
  bool at = false, dot = false, colon = false;
};

Outline outlineOf(std::string_view text) {
  Outline outline;
  bool inWord = false;
  for (std::size_t i = 0; i < text.size();) {
    const CodePoint c = decodeAt(text, i);
    ++outline.characters;
    outline.letters += isLetter(c.value) ? 1 : 0;
    outline.digits += isAsciiDigit(c.value) ? 1 : 0;
    outline.at = outline.at || c.value == U'@';
    outline.dot = outline.dot || c.value == U'.';
    outline.colon = outline.colon || c.value == U':';
    const bool space = isSpace(c.value);
    outline.words += !space && !inWord ? 1 : 0;
    inWord = !space;
    i += c.length;
  }
  return outline;
}

// The scheme of a link's address ("mailto", "javascript"), empty for none.
std::string_view schemeOf(std::string_view text) {
  for (std::size_t i = 0; i < text.size() && i < 16; ++i) {
    const char c = text[i];
    if (c == ':') return text.substr(0, i);
    const bool schemeChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                            (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
    if (!schemeChar) break;
  }
  return {};
}

// What several kinds ask of a text, found once.
struct Traits {
  bool caption = false;
  bool priceOrDate = false;
  StreetSigns street;
};

Traits traitsOf(std::string_view text, const Outline& outline) {
  Traits traits;
  traits.caption = isButtonCaption(text);
  traits.priceOrDate = outline.digits > 0 && (looksLikePrice(text) || hasDateOrTime(text));
  if (outline.letters > 0) traits.street = streetSigns(text);
  return traits;
}

bool isAddress(const AddressParts& parts, const Traits& traits) {
  const bool codeWithPlace =
      !parts.postalCode.empty() && (!parts.locality.empty() || !parts.street.empty());
  return codeWithPlace || traits.street.streetAndNumber();
}

// A link's address or part of one ("/ficha/123", "#mapa", "Web: www.casapepe.es"), or a
// rating ("4,5 (120 opiniones)").
bool looksLikeLinkOrRating(std::string_view text, const Outline& outline) {
  if (text.front() == '/' || text.front() == '#' || text.front() == '?') return true;
  if (outline.dot || outline.colon) {
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = std::min(text.find(' ', start), text.size());
      if (!webAddressHost(text.substr(start, end - start)).empty()) return true;
      start = end + 1;
    }
  }
  const bool decimalFirst = text.size() >= 3 && isAsciiDigit(static_cast<unsigned char>(text[0])) &&
                            (text[1] == ',' || text[1] == '.') &&
                            isAsciiDigit(static_cast<unsigned char>(text[2]));
  return decimalFirst;
}

// A name holds no telephone, address or date ("Pizzeria 2000 Tel. 91 555 12 34" is a card's
// text, not a name).
bool isNameShaped(std::string_view text, const Outline& outline, const Traits& traits) {
  if (outline.characters < 2 || outline.characters > kMaxNameCharacters || outline.letters < 2 ||
      outline.digits > outline.letters || outline.words > kMaxNameWords) {
    return false;
  }
  if (traits.caption || traits.priceOrDate) return false;
  if (outline.at && emailIn(text)) return false;
  if (outline.digits >= 6 && telephoneIn(text, {})) return false;
  return !looksLikeLinkOrRating(text, outline);
}

// Words only: no digit, not a caption, a label or a street.
bool isPlaceShaped(std::string_view text, const Outline& outline, const Traits& traits,
                   std::size_t maxWords) {
  return outline.digits == 0 && outline.letters >= 2 && outline.words <= maxWords &&
         !traits.caption && !traits.street.street() && !labelWordList().startsAt(text, 0);
}

}  // namespace

KindSet kindsOf(std::string_view value, const PageContext& page) {
  const std::string_view text = trimSpaces(value);
  if (text.empty()) return {};
  const Outline outline = outlineOf(text);
  if (outline.characters > kMaxValueCharacters) return {};

  if (outline.colon) {
    if (!schemeOf(text).empty()) {
      if (text::startsWithNoCase(text, "tel:") || text::startsWithNoCase(text, "callto:") ||
          text::startsWithNoCase(text, "fax:")) {
        return isTelephone(text, page.country) ? KindSet{Kind::Telephone} : KindSet{};
      }
      if (text::startsWithNoCase(text, "mailto:"))
        return isEmail(text) ? KindSet{Kind::Email} : KindSet{};
    }
  }
  if (outline.digits >= 6 && isTelephone(text, page.country)) return {Kind::Telephone};
  if (outline.at && isEmail(text)) return {Kind::Email};
  if (outline.dot) {
    if (const std::string host = webAddressHost(text); !host.empty()) {
      return page.directory.contains(host) ? KindSet{} : KindSet{Kind::Web};
    }
  }
  const std::string_view scheme = schemeOf(text);
  if (!scheme.empty() && outline.words == 1 && text.size() > scheme.size() + 1) {
    return {};  // a link of another scheme (javascript:)
  }

  KindSet kinds;
  const Traits traits = traitsOf(text, outline);
  AddressParts parts;
  if (outline.digits > 0) parts = splitAddress(text, page.country);
  if (!parts.postalCode.empty()) {
    kinds.add(Kind::PostalCode);
    if (!parts.locality.empty()) kinds.add(Kind::Locality);
    if (!parts.province.empty()) kinds.add(Kind::Province);
    if (!parts.street.empty() && looksLikeStreet(parts.street.in(text))) kinds.add(Kind::Street);
  } else {
    if (!traits.priceOrDate && traits.street.street()) kinds.add(Kind::Street);
    if (isPlaceShaped(text, outline, traits, kMaxLocalityWords)) kinds.add(Kind::Locality);
    if (isPlaceShaped(text, outline, traits, kMaxProvinceWords)) kinds.add(Kind::Province);
  }
  if (isNameShaped(text, outline, traits) && !isAddress(parts, traits)) kinds.add(Kind::Name);
  return kinds;
}

bool isOfKind(std::string_view value, Kind kind, const PageContext& page) {
  return kindsOf(value, page).has(kind);
}

bool looksLikeName(std::string_view text) { return isOfKind(text, Kind::Name, PageContext{}); }

}  // namespace quillon::fields
