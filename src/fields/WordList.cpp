#include "fields/WordList.h"

#include "fields/TextScan.h"
#include "fields/Words.h"

namespace quillon::fields {
namespace {

std::u32string codePoints(std::string_view text, bool fold) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const CodePoint c = decodeAt(text, i);
    out += fold ? foldedChar(c.value) : c.value;
    i += c.length;
  }
  return out;
}

}  // namespace

WordList::WordList(std::span<const std::string_view> words, Match match)
    : m_written(words.begin(), words.end()), m_match(match) {
  for (const std::string_view word : words) {
    m_words.push_back(codePoints(word, match == Match::IgnoreCase));
    if (!m_words.back().empty()) m_byFirst[m_words.back().front()].push_back(m_words.size() - 1);
  }
}

bool WordList::startsAt(std::string_view text, std::size_t pos) const {
  if (pos >= text.size()) return false;
  const bool fold = m_match == Match::IgnoreCase;
  const CodePoint first = decodeAt(text, pos);
  const auto candidates = m_byFirst.find(fold ? foldedChar(first.value) : first.value);
  if (candidates == m_byFirst.end()) return false;
  for (const std::size_t index : candidates->second) {
    const std::u32string& word = m_words[index];
    std::size_t i = pos + first.length;
    bool same = true;
    for (std::size_t k = 1; k < word.size() && same; ++k) {
      if (i >= text.size()) {
        same = false;
        break;
      }
      const CodePoint c = decodeAt(text, i);
      same = (fold ? foldedChar(c.value) : c.value) == word[k];
      i += c.length;
    }
    if (same && (m_match == Match::Exact || !wordCharAt(text, i))) return true;
  }
  return false;
}

std::size_t WordList::startOfWordEndingAt(std::string_view text, std::size_t pos) const {
  for (const std::string_view word : m_written) {
    if (word.size() <= pos && text.substr(pos - word.size(), word.size()) == word &&
        startsAt(text, pos - word.size())) {
      return pos - word.size();
    }
  }
  return std::string_view::npos;
}

std::string WordList::alternation() const {
  std::string out = m_match == Match::IgnoreCase ? "(?i:" : "(?:";
  for (std::size_t k = 0; k < m_written.size(); ++k) {
    if (k > 0) out += '|';
    out += patternLiteral(m_written[k]);
  }
  return out + ")";
}

std::string patternLiteral(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (std::string_view("\\^$.|?*+()[]{}/#-").find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
  return out;
}

const WordList& streetWordList() {
  static const WordList list(words::streetWords(), WordList::Match::IgnoreCase);
  return list;
}

const WordList& labelWordList() {
  static const WordList list(words::labelWords(), WordList::Match::IgnoreCase);
  return list;
}

const WordList& postalLabelList() {
  static const WordList list(words::postalLabels(), WordList::Match::Exact);
  return list;
}

const WordList& countryNameList() {
  static const WordList list(words::countryNames(), WordList::Match::IgnoreCase);
  return list;
}

}  // namespace quillon::fields
