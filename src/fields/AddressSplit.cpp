#include "fields/AddressSplit.h"

#include "fields/PostalShapes.h"
#include "fields/StreetShape.h"
#include "fields/TextScan.h"
#include "fields/WordList.h"

namespace quillon::fields {
namespace {

constexpr std::size_t kMaxCharacters = 400;
constexpr std::size_t kMaxWordCharacters = 40;
constexpr std::size_t kMaxWords = 8;

bool isWordPiece(char32_t c) {
  return !isSpace(c) && !isAsciiDigit(c) && c != U',' && c != U';' && c != U'|' && c != U'(' &&
         c != U')';
}

bool isJunk(char32_t c) {
  return isSpace(c) || c == U',' || c == U';' || c == U'|' || c == U'-' || c == 0x2013;
}

std::size_t skipBlanksForward(std::string_view text, std::size_t pos) {
  while (pos < text.size() && isHorizontalSpace(decodeAt(text, pos).value)) {
    pos += decodeAt(text, pos).length;
  }
  return pos;
}

std::size_t skipBlanksBack(std::string_view text, std::size_t pos) {
  while (pos > 0 && isHorizontalSpace(decodeBefore(text, pos).value)) {
    pos -= decodeBefore(text, pos).length;
  }
  return pos;
}

std::size_t skipJunkBack(std::string_view text, std::size_t pos) {
  while (pos > 0 && isJunk(decodeBefore(text, pos).value)) pos -= decodeBefore(text, pos).length;
  return pos;
}

// The end of the word that begins at pos when it may be one of a locality's: at most 40
// characters, no label ("Tel."), and (code last) no street word. npos when it may not.
std::size_t wordEnd(std::string_view text, std::size_t pos, bool streetWordsEnd) {
  std::size_t end = pos;
  std::size_t count = 0;
  while (end < text.size() && isWordPiece(decodeAt(text, end).value)) {
    end += decodeAt(text, end).length;
    ++count;
  }
  if (count == 0 || count > kMaxWordCharacters) return std::string_view::npos;
  if (labelWordList().startsAt(text, pos)) return std::string_view::npos;
  if (streetWordsEnd && streetWordList().startsAt(text, pos)) return std::string_view::npos;
  return end;
}

// The words that begin at pos, read forward (code first).
Span wordsForward(std::string_view text, std::size_t pos) {
  std::size_t end = wordEnd(text, pos, false);
  if (end == std::string_view::npos) return {};
  for (std::size_t words = 1; words < kMaxWords; ++words) {
    const std::size_t next = skipBlanksForward(text, end);
    if (next == end) break;
    const std::size_t nextEnd = wordEnd(text, next, false);
    if (nextEnd == std::string_view::npos) break;
    end = nextEnd;
  }
  return {pos, end};
}

// The words that end at end, read backward (code last).
Span wordsBackward(std::string_view text, std::size_t end) {
  std::size_t start = end;
  for (std::size_t words = 0; words < kMaxWords; ++words) {
    std::size_t wordEndPos = start;
    if (words > 0) {
      wordEndPos = skipBlanksBack(text, start);
      if (wordEndPos == start) break;
    }
    std::size_t begin = wordEndPos;
    while (begin > 0 && isWordPiece(decodeBefore(text, begin).value)) {
      begin -= decodeBefore(text, begin).length;
    }
    if (begin == wordEndPos) break;
    // A word glued to a digit ("221B") is no word of a locality.
    if (begin > 0 && isAsciiDigit(decodeBefore(text, begin).value)) break;
    if (wordEnd(text, begin, true) != wordEndPos) break;
    start = begin;
  }
  return {start, end};
}

Span provinceAfter(std::string_view text, std::size_t pos) {
  pos = skipBlanksForward(text, pos);
  if (pos >= text.size()) return {};
  if (text[pos] == '(') {
    const std::size_t begin = skipBlanksForward(text, pos + 1);
    std::size_t close = begin;
    while (close < text.size() && text[close] != ')' && text[close] != '(' &&
           !isVerticalSpace(decodeAt(text, close).value)) {
      close += decodeAt(text, close).length;
    }
    if (close >= text.size() || text[close] != ')') return {};
    const std::size_t end = skipBlanksBack(text, close);
    if (end <= begin || characterCount(text.substr(begin, end - begin)) > kMaxWordCharacters) {
      return {};
    }
    return {begin, end};
  }
  if (text[pos] != ',') return {};
  const std::size_t begin = skipBlanksForward(text, pos + 1);
  if (countryNameList().startsAt(text, begin)) return {};
  return wordsForward(text, begin);
}

// The street: the text before end, without a postal label and the junk before it.
Span streetBefore(std::string_view text, std::size_t end, bool labelled) {
  if (labelled) {
    const std::size_t labelEnd = skipBlanksBack(text, end);
    const std::size_t label = postalLabelList().startOfWordEndingAt(text, labelEnd);
    if (label != std::string_view::npos && !wordCharBefore(text, label)) end = label;
  }
  end = skipJunkBack(text, end);
  std::size_t begin = 0;
  while (begin < end && isSpace(decodeAt(text, begin).value)) begin += decodeAt(text, begin).length;
  return begin < end ? Span{begin, end} : Span{};
}

AddressParts codeFirst(std::string_view text, const CodePlace& place) {
  AddressParts parts;
  parts.postalCode = place.code;
  std::size_t pos = skipBlanksForward(text, place.code.end);
  if (pos < text.size() && text[pos] == ',') pos = skipBlanksForward(text, pos + 1);
  parts.locality = wordsForward(text, pos);
  if (!parts.locality.empty()) parts.province = provinceAfter(text, parts.locality.end);
  parts.street = streetBefore(text, place.code.begin, true);
  return parts;
}

AddressParts codeLast(std::string_view text, const CodePlace& place) {
  AddressParts parts;
  parts.postalCode = place.code;
  parts.province = place.region;
  const std::size_t anchor = place.region.empty() ? place.code.begin : place.region.begin;
  std::size_t end = skipBlanksBack(text, anchor);
  if (end > 0 && text[end - 1] == ',') end = skipBlanksBack(text, end - 1);
  parts.locality = wordsBackward(text, end);
  parts.street = streetBefore(text, parts.locality.empty() ? anchor : parts.locality.begin, false);
  return parts;
}

AddressParts around(std::string_view text, const PostalShape& shape, const CodePlace& place) {
  AddressParts parts =
      shape.order == CodeOrder::First ? codeFirst(text, place) : codeLast(text, place);
  parts.shape = shape.country;
  return parts;
}

}  // namespace

AddressParts splitAddress(std::string_view text, std::string_view country) {
  if (characterCount(text) > kMaxCharacters) return {};
  if (const PostalShape* known = shapeOf(country)) {
    if (const std::optional<CodePlace> place = placeCode(text, *known)) {
      return around(text, *known, *place);
    }
  } else {
    const PostalShape* firstFound = nullptr;
    std::optional<CodePlace> firstPlace;
    for (const PostalShape* shape : shapesInTrialOrder()) {
      const std::optional<CodePlace> place = placeCode(text, *shape);
      if (!place) continue;
      const bool beside =
          place->besideWord ||
          (shape->order == CodeOrder::Last && shape->regions.empty() &&
           !shape->anyTwoCapitalsRegion && !codeLast(text, *place).locality.empty());
      if (beside) return around(text, *shape, *place);
      if (!firstFound) {
        firstFound = shape;
        firstPlace = place;
      }
    }
    if (firstFound) return around(text, *firstFound, *firstPlace);
  }
  AddressParts parts;
  if (looksLikeStreet(text)) {
    const std::string_view trimmed = trimSpaces(text);
    const auto begin = static_cast<std::size_t>(trimmed.data() - text.data());
    parts.street = {begin, begin + trimmed.size()};
  }
  return parts;
}

}  // namespace quillon::fields
