#pragma once

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A list of words to find at a place in a text, compared as a case-insensitive pattern
// compares them (simple Unicode case folding) and, unless exact, as whole words: the next
// character is no letter, digit or "_". The same list written as a pattern alternation
// gives the same answers.

namespace quillon::fields {

class WordList {
 public:
  enum class Match { IgnoreCase, Exact };
  WordList(std::span<const std::string_view> words, Match match);

  // Whether one of the words begins at pos (whole word unless exact).
  bool startsAt(std::string_view text, std::size_t pos) const;
  // The start of one of the words that ends exactly at pos, or npos.
  std::size_t startOfWordEndingAt(std::string_view text, std::size_t pos) const;

  // The pattern alternation of the words, "(?:a|b)" ("(?i:a|b)" for IgnoreCase).
  std::string alternation() const;

 private:
  std::vector<std::u32string> m_words;  // folded unless exact
  std::vector<std::string_view> m_written;
  // The words by their first character (folded unless exact): a lookup tries only those.
  std::unordered_map<char32_t, std::vector<std::size_t>> m_byFirst;
  Match m_match;
};

// The lists of Words.h, ready to use.
const WordList& streetWordList();
const WordList& labelWordList();
const WordList& postalLabelList();
const WordList& countryNameList();

// The text with every character that has a meaning in a pattern escaped.
std::string patternLiteral(std::string_view text);

}  // namespace quillon::fields
