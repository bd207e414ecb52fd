#include "fields/KindPatterns.h"

#include "fields/Email.h"
#include "fields/PostalShapes.h"
#include "fields/Telephone.h"
#include "fields/WordList.h"

namespace quillon::fields {
namespace {

// The pieces below mirror AddressSplit.cpp rule by rule. Word lists, the code and the
// locality's word are defined once at the end of a pattern and called by name, which keeps
// the pattern small; the definitions come after the part's group, so it stays group 1.
constexpr std::string_view kStart = R"((?s)^(?=.{0,400}\z))";
constexpr std::string_view kNoWordChar = R"((?![\p{L}\p{N}_]))";
constexpr std::string_view kNoWordCharBefore = R"((?<![\p{L}\p{N}_]))";
constexpr std::string_view kJunk = R"([\s,;|\-\x{2013}]*)";
constexpr std::string_view kComma = R"(\h*,?\h*)";
// Between a code and the locality after it (isSeparatorAfterCode). Possessive, as the
// split takes the separator once seen: "555 12 -20" has no locality, not "-".
constexpr std::string_view kAfterCode = R"(\h*+[,\-\x{2013}]?+\h*+)";
constexpr std::string_view kParenthesised = R"(\(\h*([^()\s](?:[^()\v]{0,38}[^()\s])?)\h*\))";
constexpr std::string_view kCode = "(?&code)";
constexpr std::string_view kRegion = "(?&region)";

// A locality's words: at most 8 words of at most 40 characters, read by (?&word).
std::string run(bool boundaryBefore) {
  const std::string before = boundaryBefore ? R"((?<![^\s,;|()]))" : "";
  return before + "(?&word)(?:\\h+(?&word)){0,7}(?![^\\s0-9,;|()])";
}

std::string definitions(const PostalShape& shape, bool codeLast) {
  std::string word = "(?!(?&label))";
  if (codeLast) {
    word += "(?!(?&street_word))";
    if (!regionPattern(shape).empty()) word += "(?!(?&region)\\h+(?&code))";
  }
  word += "[^\\s0-9,;|()]{1,40}";
  std::string out = "(?(DEFINE)(?<code>" + codePattern(shape) + ")(?<word>" + word + ")(?<label>" +
                    labelWordList().alternation() + std::string(kNoWordChar) + ")";
  if (codeLast) {
    out += "(?<street_word>" + streetWordList().alternation() + std::string(kNoWordChar) + ")";
    if (const std::string region = regionPattern(shape); !region.empty()) {
      out += "(?<region>" + region + ")";
    }
  } else {
    out += "(?<country>" + countryNameList().alternation() + std::string(kNoWordChar) + ")";
    out += "(?<postal_label>" + std::string(kNoWordCharBefore) + postalLabelList().alternation() +
           "\\h*)";
  }
  return out + ")";
}

std::string codeFirst(Part part, const PostalShape& shape) {
  const std::string code(kCode);
  const std::string firstBeforeWord = code + "(?=" + std::string(kAfterCode) + "\\p{L})";
  const std::string guard = "(?=.*?" + firstBeforeWord + ")";
  const std::string noGuard = "(?!.*?" + firstBeforeWord + ")";
  const std::string lastCode = code + "(?!.*" + code + ")";
  const std::string throughCode =
      "(?:" + guard + "(?>.*?" + firstBeforeWord + ")|" + noGuard + "(?>.*" + code + "))";
  std::string main(kStart);
  switch (part) {
    case Part::PostalCode:
      main += "(?:" + guard + ".*?(?=" + firstBeforeWord + ")|" + noGuard + ".*(?=" + code + "))" +
              codePattern(shape, true);
      break;
    case Part::Locality:
      main += throughCode + std::string(kAfterCode) + "(" + run(false) + ")";
      break;
    case Part::Province:
      main += throughCode + std::string(kAfterCode) + run(false) + "\\h*(?|" +
              std::string(kParenthesised) + "|,\\h*(?!(?&country))(" + run(false) + "))";
      break;
    case Part::Street: {
      const auto before = [](const std::string& at) {
        const std::string tail = std::string(kJunk) + "(?&postal_label)?" + at;
        return "(?!" + tail + ")\\s*(\\S.*?)" + tail;
      };
      main += "(?|" + guard + before(firstBeforeWord) + "|" + noGuard + before(lastCode) + ")";
      break;
    }
    default:
      return {};
  }
  return main + definitions(shape, false);
}

std::string codeLast(Part part, const PostalShape& shape) {
  const std::string code(kCode);
  const bool regions = !regionPattern(shape).empty();
  const std::string lastCode = code + "(?!.*" + code + ")";
  const std::string locality = run(true);
  const std::string optionalLocality = "(?:" + locality + std::string(kComma) + ")?";
  const auto street = [&](const std::string& at) {
    const std::string tail = std::string(kJunk) + optionalLocality + at;
    return "(?!" + tail + ")\\s*(\\S.*?)" + tail;
  };
  const std::string regionCode =
      std::string(kNoWordCharBefore) + std::string(kRegion) + "\\h+" + code;
  const std::string guard = "(?=.*?" + regionCode + ")";
  const std::string noGuard = "(?!.*?" + regionCode + ")";
  std::string main(kStart);
  switch (part) {
    case Part::PostalCode:
      main += regions ? "(?|" + guard + ".*?" + std::string(kNoWordCharBefore) +
                            std::string(kRegion) + "\\h+" + codePattern(shape, true) + "|" +
                            noGuard + ".*" + codePattern(shape, true) + ")"
                      : ".*" + codePattern(shape, true);
      break;
    case Part::Province:
      if (!regions) return {};
      main += ".*?" + std::string(kNoWordCharBefore) + "(" + std::string(kRegion) + ")\\h+" + code;
      break;
    case Part::Locality: {
      const std::string last = ".*?(" + locality + ")" + std::string(kComma) + lastCode;
      main += regions ? "(?|" + guard + "(?:(?!" + regionCode + ").)*?(" + locality + ")" +
                            std::string(kComma) + regionCode + "|" + noGuard + last + ")"
                      : last;
      break;
    }
    case Part::Street:
      main += regions ? "(?|" + guard + street(regionCode) + "|" + noGuard + street(lastCode) + ")"
                      : street(lastCode);
      break;
    default:
      return {};
  }
  return main + definitions(shape, true);
}

}  // namespace

std::string patternFor(Part part, std::string_view country) {
  if (part == Part::Telephone) return telephonePattern();
  if (part == Part::Email) return emailPattern();
  const PostalShape* shape = shapeOf(country);
  if (shape == nullptr) return {};
  return shape->order == CodeOrder::First ? codeFirst(part, *shape) : codeLast(part, *shape);
}

}  // namespace quillon::fields
