#include "profiles/ClassNames.h"

#include "text/Ascii.h"

#include <array>
#include <utility>

namespace quillon::profiles {
namespace {

using text::isAsciiDigit;
using text::isAsciiLetter;
using text::isAsciiLower;
using text::isAsciiUpper;

// One part of a name between "-" and "_".
bool tokenLooksGenerated(std::string_view token) {
  int digits = 0;
  int letters = 0;
  for (const char c : token) {
    digits += isAsciiDigit(c) ? 1 : 0;
    letters += isAsciiLetter(c) ? 1 : 0;
  }
  if (digits >= 3 && letters == 0) return true;  // an element's number
  if (digits > 0 && letters > 0 && token.size() >= 5) {
    // Letters then a short number ("col12", "item3") are words; a hash mixes them.
    std::size_t firstDigit = 0;
    while (firstDigit < token.size() && !isAsciiDigit(token[firstDigit])) ++firstDigit;
    bool digitsOnlyAfter = true;
    for (std::size_t i = firstDigit; i < token.size(); ++i)
      digitsOnlyAfter &= isAsciiDigit(token[i]);
    if (!(digitsOnlyAfter && token.size() - firstDigit <= 2)) return true;
  }
  // Mixed case that is no run of capitalised words: "bdVaJa", "kXtYpQ".
  for (std::size_t i = 0; i < token.size(); ++i) {
    if (!isAsciiUpper(token[i]) || i == 0) continue;
    std::size_t lowers = 0;
    while (i + 1 + lowers < token.size() && isAsciiLower(token[i + 1 + lowers])) ++lowers;
    if (lowers < 2 && i + 1 + lowers < token.size()) return true;
    if (lowers < 2 && isAsciiLower(token[i - 1]) && token.size() <= 8) return true;
  }
  return false;
}

}  // namespace

bool looksGenerated(std::string_view name) {
  if (name.empty()) return true;
  static constexpr std::array<std::string_view, 8> kToolPrefixes = {
      "css-", "sc-", "jsx-", "emotion-", "styled-", "svelte-", "tw-", "ng-tns-"};
  for (const std::string_view prefix : kToolPrefixes) {
    if (name.starts_with(prefix)) return true;
  }
  // Kept for the state or layout they show, but never the same on two listings.
  if (name.starts_with("ng-") || name.starts_with("is-") || name.starts_with("has-")) return true;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= name.size(); ++i) {
    if (i == name.size() || name[i] == '-' || name[i] == '_') {
      if (i > start && tokenLooksGenerated(name.substr(start, i - start))) return true;
      start = i + 1;
    }
  }
  return false;
}

std::vector<std::string> nameWords(std::string_view name) {
  std::vector<std::string> words;
  std::string word;
  const auto end = [&] {
    if (!word.empty()) words.push_back(std::exchange(word, {}));
  };
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (c == '-' || c == '_' || c == ' ') {
      end();
      continue;
    }
    if (isAsciiUpper(c) && i > 0 && isAsciiLower(name[i - 1])) end();
    word += text::asciiLower(c);
  }
  end();
  return words;
}

bool looksGeneratedId(std::string_view id) {
  if (id.empty() || id.find(':') != std::string_view::npos) return true;
  static constexpr std::array<std::string_view, 4> kPrefixes = {"ember", "yui_", "react-", "mui-"};
  for (const std::string_view prefix : kPrefixes) {
    if (id.starts_with(prefix)) return true;
  }
  int digits = 0;
  for (const char c : id) digits += isAsciiDigit(c) ? 1 : 0;
  return digits >= 2 || looksGenerated(id);
}

}  // namespace quillon::profiles
