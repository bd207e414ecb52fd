#include "fields/StreetShape.h"

#include "fields/TextScan.h"
#include "fields/WordList.h"
#include "fields/Words.h"

#include <unicode/uchar.h>
#include <unordered_map>
#include <vector>

namespace quillon::fields {
namespace {

constexpr std::size_t kMaxWords = 16;
constexpr std::size_t kMaxHouseDigits = 4;

struct Token {
  std::size_t begin = 0, end = 0;
  std::size_t digits = 0, letters = 0;
  bool capitalised = false;
};

std::vector<Token> tokensOf(std::string_view text) {
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < text.size();) {
    CodePoint c = decodeAt(text, i);
    if (isSpace(c.value) || c.value == U',') {
      i += c.length;
      continue;
    }
    Token token{i, i};
    token.capitalised = u_isupper(static_cast<UChar32>(c.value)) != 0;
    while (i < text.size() && !isSpace(c.value) && c.value != U',') {
      token.digits += isAsciiDigit(c.value) ? 1 : 0;
      token.letters += isLetter(c.value) ? 1 : 0;
      i += c.length;
      if (i < text.size()) c = decodeAt(text, i);
    }
    token.end = i;
    tokens.push_back(token);
  }
  return tokens;
}

// "12", "12b", "221B", "12-14"
bool isHouseNumber(const Token& token) {
  return token.digits >= 1 && token.digits <= kMaxHouseDigits && token.letters <= 1;
}

bool isCapitalisedWord(const Token& token) {
  return token.capitalised && token.digits == 0 && token.letters >= 2;
}

// Whether the word ends in a street ending and has three characters or more before it.
bool hasStreetEnding(std::string_view word) {
  // The endings, as code points, by their last character.
  static const std::unordered_map<char32_t, std::vector<std::u32string>> endings = [] {
    std::unordered_map<char32_t, std::vector<std::u32string>> out;
    for (const std::string_view ending : words::streetEndings()) {
      std::u32string codePoints;
      for (std::size_t i = 0; i < ending.size(); i += decodeAt(ending, i).length) {
        codePoints += decodeAt(ending, i).value;
      }
      out[codePoints.back()].push_back(codePoints);
    }
    return out;
  }();
  if (word.size() < 5) return false;
  const auto candidates = endings.find(foldedChar(decodeBefore(word, word.size()).value));
  if (candidates == endings.end()) return false;
  for (const std::u32string& ending : candidates->second) {
    std::size_t end = word.size();
    bool same = true;
    for (std::size_t k = ending.size(); k-- > 0 && same;) {
      if (end == 0) return false;
      const CodePoint c = decodeBefore(word, end);
      same = foldedChar(c.value) == ending[k];
      end -= c.length;
    }
    if (same && characterCount(word.substr(0, end)) >= 3) return true;
  }
  return false;
}

}  // namespace

StreetSigns streetSigns(std::string_view text) {
  StreetSigns signs;
  const std::vector<Token> tokens = tokensOf(text);
  if (tokens.empty() || tokens.size() > kMaxWords) return signs;
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    const Token& token = tokens[k];
    const std::string_view word = text.substr(token.begin, token.end - token.begin);
    if ((token.letters > 0 && streetWordList().startsAt(text, token.begin)) ||
        (token.digits == 0 && hasStreetEnding(word))) {
      signs.streetWord = true;
    }
    if (!isHouseNumber(token)) continue;
    signs.houseNumber = true;
    if ((k > 0 && isCapitalisedWord(tokens[k - 1])) ||
        (k + 1 < tokens.size() && isCapitalisedWord(tokens[k + 1]))) {
      signs.numberBesideCapital = true;
    }
  }
  return signs;
}

}  // namespace quillon::fields
