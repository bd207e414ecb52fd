#include "fields/PostalShapes.h"

#include "fields/TextScan.h"
#include "fields/WordList.h"
#include "fields/Words.h"

#include <array>

namespace quillon::fields {
namespace {

constexpr std::string_view kFive[] = {"99999"};
constexpr std::string_view kFour[] = {"9999"};
constexpr std::string_view kDutch[] = {"9999 AA"};
constexpr std::string_view kPolish[] = {"99-999"};
constexpr std::string_view kPortuguese[] = {"9999-999"};
constexpr std::string_view kGreek[] = {"999 99"};
constexpr std::string_view kUnitedStates[] = {"99999-9999", "99999"};
constexpr std::string_view kCanadian[] = {"A9A 9A9"};
constexpr std::string_view kBritish[] = {"AA9A 9AA", "A9A 9AA", "AA99 9AA",
                                         "AA9 9AA",  "A99 9AA", "A9 9AA"};

const PostalShape kFiveFirst{"FR", kFive, CodeOrder::First, {}, false};
const PostalShape kFourFirst{"AT", kFour, CodeOrder::First, {}, false};
const PostalShape kDutchShape{"NL", kDutch, CodeOrder::First, {}, false};
const PostalShape kPolishShape{"PL", kPolish, CodeOrder::First, {}, false};
const PostalShape kPortugueseShape{"PT", kPortuguese, CodeOrder::First, {}, false};
const PostalShape kGreekShape{"GR", kGreek, CodeOrder::First, {}, false};
const PostalShape kUnitedStatesShape{"US", kUnitedStates, CodeOrder::Last, {}, true};
const PostalShape kCanadianShape{"CA", kCanadian, CodeOrder::Last, words::canadianProvinces(),
                                 false};
const PostalShape kAustralianShape{"AU", kFour, CodeOrder::Last, words::australianStates(), false};
const PostalShape kBritishShape{"GB", kBritish, CodeOrder::Last, {}, false};

struct CountryShape {
  std::string_view country;
  const PostalShape* shape;
};

const CountryShape kCountries[] = {
    {"ES", &kFiveFirst},         {"IT", &kFiveFirst},       {"FR", &kFiveFirst},
    {"DE", &kFiveFirst},         {"MX", &kFiveFirst},       {"TR", &kFiveFirst},
    {"FI", &kFiveFirst},         {"HR", &kFiveFirst},       {"EE", &kFiveFirst},
    {"AT", &kFourFirst},         {"CH", &kFourFirst},       {"BE", &kFourFirst},
    {"DK", &kFourFirst},         {"NO", &kFourFirst},       {"HU", &kFourFirst},
    {"LU", &kFourFirst},         {"SI", &kFourFirst},       {"NL", &kDutchShape},
    {"PL", &kPolishShape},       {"PT", &kPortugueseShape}, {"GR", &kGreekShape},
    {"US", &kUnitedStatesShape}, {"CA", &kCanadianShape},   {"AU", &kAustralianShape},
    {"GB", &kBritishShape},
};

const PostalShape* const kTrialOrder[] = {
    &kBritishShape,      &kCanadianShape, &kDutchShape, &kPolishShape,     &kPortugueseShape,
    &kUnitedStatesShape, &kFiveFirst,     &kGreekShape, &kAustralianShape, &kFourFirst,
};

bool canBeginCode(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }

bool isNumeric(std::string_view pattern) { return pattern.find('A') == std::string_view::npos; }

// The end of the template at pos, or npos.
std::size_t templateEnd(std::string_view text, std::size_t pos, std::string_view pattern) {
  for (const char want : pattern) {
    if (want == ' ') {
      if (pos < text.size()) {
        const CodePoint c = decodeAt(text, pos);
        if (isHorizontalSpace(c.value)) pos += c.length;
      }
      continue;
    }
    if (pos >= text.size()) return std::string_view::npos;
    const char c = text[pos];
    const bool fits = (want == '9' && c >= '0' && c <= '9') ||
                      (want == 'A' && c >= 'A' && c <= 'Z') || (want == '-' && c == '-');
    if (!fits) return std::string_view::npos;
    ++pos;
  }
  return pos;
}

// A separator and a digit after a code of digits: the code is a telephone's first group.
bool digitGroupFollows(std::string_view text, std::size_t end) {
  if (end >= text.size()) return false;
  const CodePoint c = decodeAt(text, end);
  if (!isHorizontalSpace(c.value) && c.value != U'.' && c.value != U'-' && c.value != U'/') {
    return false;
  }
  const std::size_t next = end + c.length;
  return next < text.size() && text[next] >= '0' && text[next] <= '9';
}

bool followedByWord(std::string_view text, std::size_t pos) {
  const auto skipBlanks = [&] {
    while (pos < text.size() && isHorizontalSpace(decodeAt(text, pos).value)) {
      pos += decodeAt(text, pos).length;
    }
  };
  skipBlanks();
  if (pos < text.size() && text[pos] == ',') ++pos;
  skipBlanks();
  return pos < text.size() && isLetter(decodeAt(text, pos).value);
}

// The region that ends where the blanks before the code begin, or an empty span.
Span regionBefore(std::string_view text, std::size_t codeStart, const PostalShape& shape) {
  std::size_t end = codeStart;
  while (end > 0 && isHorizontalSpace(decodeBefore(text, end).value)) {
    end -= decodeBefore(text, end).length;
  }
  if (end == codeStart) return {};
  std::size_t start = std::string_view::npos;
  if (shape.anyTwoCapitalsRegion) {
    if (end >= 2 && isAsciiUpper(static_cast<unsigned char>(text[end - 1])) &&
        isAsciiUpper(static_cast<unsigned char>(text[end - 2]))) {
      start = end - 2;
    }
  } else {
    for (const std::string_view region : shape.regions) {
      if (region.size() <= end && text.substr(end - region.size(), region.size()) == region) {
        start = end - region.size();
        break;
      }
    }
  }
  if (start == std::string_view::npos || wordCharBefore(text, start)) return {};
  return {start, end};
}

std::string templatePattern(std::string_view pattern) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const char want = pattern[i];
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == want && want != ' ') ++run;
    if (want == '9' || want == 'A') {
      out += want == '9' ? "[0-9]" : "[A-Z]";
      if (run > 1) out.append("{").append(std::to_string(run)).append("}");
    } else {
      out += want == ' ' ? "\\h?" : "-";
    }
    i += run;
  }
  return out;
}

}  // namespace

const PostalShape* shapeOf(std::string_view country) {
  for (const CountryShape& entry : kCountries) {
    if (entry.country == country) return entry.shape;
  }
  return nullptr;
}

std::span<const PostalShape* const> shapesInTrialOrder() { return kTrialOrder; }

std::size_t codeEndAt(std::string_view text, std::size_t pos, const PostalShape& shape) {
  if (pos >= text.size() || !canBeginCode(text[pos]) || wordCharBefore(text, pos)) {
    return std::string_view::npos;
  }
  for (const std::string_view pattern : shape.templates) {
    const std::size_t end = templateEnd(text, pos, pattern);
    if (end == std::string_view::npos || wordCharAt(text, end)) continue;
    if (isNumeric(pattern) && digitGroupFollows(text, end)) continue;
    return end;
  }
  return std::string_view::npos;
}

std::optional<CodePlace> placeCode(std::string_view text, const PostalShape& shape) {
  std::optional<CodePlace> last;
  // A code begins with an ASCII byte, which is always the start of a character.
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    if (!canBeginCode(text[pos])) continue;
    const std::size_t end = codeEndAt(text, pos, shape);
    if (end == std::string_view::npos) continue;
    if (shape.order == CodeOrder::First) {
      if (followedByWord(text, end)) return CodePlace{{pos, end}, {}, true};
    } else if (const Span region = regionBefore(text, pos, shape); !region.empty()) {
      return CodePlace{{pos, end}, region, true};
    }
    last = CodePlace{{pos, end}, {}, false};
  }
  return last;
}

std::string codePattern(const PostalShape& shape, bool captured) {
  std::string out = captured ? "\\b(?|" : "\\b(?:";
  for (std::size_t k = 0; k < shape.templates.size(); ++k) {
    if (k > 0) out += '|';
    const std::string code = templatePattern(shape.templates[k]);
    out += (captured ? "(" + code + ")" : code) + "\\b";
    if (isNumeric(shape.templates[k])) out += "(?![\\h.\\-/]?[0-9])";
  }
  return out + ")";
}

std::string regionPattern(const PostalShape& shape) {
  if (shape.anyTwoCapitalsRegion) return "[A-Z]{2}";
  if (shape.regions.empty()) return {};
  std::string out = "(?:";
  for (std::size_t k = 0; k < shape.regions.size(); ++k) {
    if (k > 0) out += '|';
    out += patternLiteral(shape.regions[k]);
  }
  return out + ")";
}

}  // namespace quillon::fields
