#include "fields/TextShapes.h"

#include "fields/TextScan.h"
#include "fields/Words.h"
#include "text/Ascii.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quillon::fields {
namespace {

bool isDigitByte(char c) { return c >= '0' && c <= '9'; }

std::size_t digitRun(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  while (end < text.size() && isDigitByte(text[end])) ++end;
  return end - pos;
}

// The text without what surrounds a caption: arrows, bullets, "+", ":" and the like.
std::string_view captionCore(std::string_view text) {
  const auto isDecoration = [](char32_t c) { return !isLetter(c) && !isAsciiDigit(c); };
  while (!text.empty() && isDecoration(decodeAt(text, 0).value)) {
    text.remove_prefix(decodeAt(text, 0).length);
  }
  while (!text.empty() && isDecoration(decodeBefore(text, text.size()).value)) {
    text.remove_suffix(decodeBefore(text, text.size()).length);
  }
  return text;
}

const std::vector<std::string>& captionForms() {
  static const std::vector<std::string> forms = [] {
    std::vector<std::string> out;
    for (const std::string_view caption : words::buttonCaptions()) {
      out.push_back(lookupForm(captionCore(caption)));
    }
    std::sort(out.begin(), out.end());
    return out;
  }();
  return forms;
}

}  // namespace

bool isButtonCaption(std::string_view text) {
  // Captions are a few short words; most texts are told apart without the lookup form.
  if (text.size() > 64 || std::count(text.begin(), text.end(), ' ') > 4) return false;
  const std::string form = lookupForm(captionCore(text));
  if (form.empty()) return false;
  const auto& forms = captionForms();
  return std::binary_search(forms.begin(), forms.end(), form);
}

bool looksLikePrice(std::string_view text) {
  if (text.size() > 200) return false;
  // The first bytes of the currencies, to pass over the other bytes at once.
  static const std::string firsts = [] {
    std::string out;
    for (const std::string_view currency : words::currencies()) {
      out += currency.front();
      if (currency.front() >= 'a' && currency.front() <= 'z') {
        out += static_cast<char>(currency.front() - 'a' + 'A');
      }
    }
    return out;
  }();
  for (std::size_t at = text.find_first_of(firsts); at != std::string_view::npos;
       at = text.find_first_of(firsts, at + 1)) {
    // Codes are words of their own: only a word's first letter can begin one.
    if (isLetter(static_cast<unsigned char>(text[at])) && wordCharBefore(text, at)) continue;
    for (const std::string_view currency : words::currencies()) {
      if (!text::startsWithNoCase(text.substr(at), currency)) continue;
      const bool code = currency.front() >= 'a' && currency.front() <= 'z';
      // A code is a word of its own ("30 EUR", not "Europa 3").
      const std::size_t end = at + currency.size();
      if (code && (wordCharBefore(text, at) || wordCharAt(text, end))) continue;
      // A digit on either side, blanks aside: "25 €", "€25", "30 EUR", "1.200$".
      std::size_t before = at;
      while (before > 0 && text[before - 1] == ' ') --before;
      std::size_t after = end;
      while (after < text.size() && text[after] == ' ') ++after;
      if ((before > 0 && isDigitByte(text[before - 1])) ||
          (after < text.size() && isDigitByte(text[after]))) {
        return true;
      }
    }
  }
  return false;
}

bool hasDateOrTime(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!isDigitByte(text[i]) || (i > 0 && isDigitByte(text[i - 1]))) continue;
    // Inside a longer run of groups ("01.42.34.56.78"): a telephone, not a date.
    if (i > 1 && std::string_view("./-").find(text[i - 1]) != std::string_view::npos &&
        isDigitByte(text[i - 2])) {
      continue;
    }
    const std::size_t first = digitRun(text, i);
    std::size_t pos = i + first;
    if (pos >= text.size()) break;
    const char separator = text[pos];
    // Times: "9:30", "18:00".
    if (separator == ':' && first <= 2 && digitRun(text, pos + 1) == 2) return true;
    if (separator != '/' && separator != '.' && separator != '-') continue;
    const std::size_t second = digitRun(text, pos + 1);
    pos += 1 + second;
    if (second == 0 || second > 2 || pos >= text.size() || text[pos] != separator) continue;
    const std::size_t third = digitRun(text, pos + 1);
    const std::size_t end = pos + 1 + third;
    // "01.42.34.56.78" goes on: a telephone, not a date.
    const bool goesOn =
        end + 1 < text.size() && text[end] == separator && isDigitByte(text[end + 1]);
    const bool dayFirst = first <= 2 && (third == 2 || third == 4);
    const bool yearFirst = first == 4 && third >= 1 && third <= 2;
    if ((dayFirst || yearFirst) && !goesOn) return true;
  }
  return false;
}

}  // namespace quillon::fields
