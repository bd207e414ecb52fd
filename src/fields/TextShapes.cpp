#include "fields/TextShapes.h"

#include "fields/TextScan.h"
#include "fields/Words.h"

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
    for (const std::string_view caption : words::buttonCaptions())
      out.push_back(lookupForm(caption));
    std::sort(out.begin(), out.end());
    return out;
  }();
  return forms;
}

}  // namespace

bool isButtonCaption(std::string_view text) {
  if (text.size() > 64) return false;
  const std::string form = lookupForm(captionCore(text));
  if (form.empty()) return false;
  const auto& forms = captionForms();
  return std::binary_search(forms.begin(), forms.end(), form);
}

bool looksLikePrice(std::string_view text) {
  if (text.size() > 200) return false;
  const std::string lower = foldCase(text);
  for (const std::string_view currency : words::currencies()) {
    for (std::size_t at = lower.find(currency); at != std::string::npos;
         at = lower.find(currency, at + 1)) {
      // A digit on either side, blanks aside: "25 €", "€25", "30 EUR", "1.200$".
      std::size_t before = at;
      while (before > 0 && lower[before - 1] == ' ') --before;
      std::size_t after = at + currency.size();
      while (after < lower.size() && lower[after] == ' ') ++after;
      const bool letterGlued = (at > 0 && isLetter(decodeBefore(lower, at).value) &&
                                currency.front() >= 'a' && currency.front() <= 'z') ||
                               (after == at + currency.size() && after < lower.size() &&
                                isLetter(decodeAt(lower, after).value));
      if (letterGlued) continue;
      if ((before > 0 && isDigitByte(lower[before - 1])) ||
          (after < lower.size() && isDigitByte(lower[after]))) {
        return true;
      }
    }
  }
  return false;
}

bool hasDateOrTime(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!isDigitByte(text[i]) || (i > 0 && isDigitByte(text[i - 1]))) continue;
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
