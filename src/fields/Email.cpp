#include "fields/Email.h"

#include "fields/TextScan.h"
#include "parsers/Finders.h"
#include "text/Ascii.h"

#include <algorithm>
#include <array>

namespace quillon::fields {
namespace {

constexpr std::size_t kMaxLabelLetters = 24;

bool isImageName(std::string_view address) {
  static constexpr std::array<std::string_view, 6> kEndings = {".png", ".jpg", ".jpeg",
                                                               ".gif", ".svg", ".webp"};
  return std::any_of(kEndings.begin(), kEndings.end(), [address](std::string_view ending) {
    return address.size() > ending.size() &&
           text::startsWithNoCase(address.substr(address.size() - ending.size()), ending);
  });
}

// What an address's name part is made of: FindEmail's class and the "+" of sub-addresses.
bool isNamePart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.' || c == '-' || c == '+';
}

// FindEmail's pattern is made of ASCII classes only, so on UTF-8 text it never matches
// inside a character of several bytes, and its match is the same as on the cp1252 text of
// the same characters; it can be run on the UTF-8 bytes directly, offsets and all.
// FindEmail cuts a name part at the first character outside its class ("se@x.es" of
// "jo+se@x.es", ".garcia@x.es" of "josé.garcia@x.es"). Here an address is taken whole or not
// at all: the match reaches back over a "+", and one glued to another letter is none.
std::optional<EmailMatch> emailInText(std::string_view text) {
  for (std::size_t from = 0; from < text.size();) {
    const std::string_view rest = text.substr(from);
    const std::string address = parsers::FindEmail(rest);
    if (address.empty()) return std::nullopt;
    // The leftmost match is the first occurrence of what it matched.
    const std::size_t at = from + rest.find(address);
    const std::size_t end = at + address.size();
    std::size_t start = at;
    while (start > 0 && isNamePart(text[start - 1])) --start;
    if (!wordCharBefore(text, start) && !isImageName(address)) {
      return EmailMatch{std::string(text.substr(start, end - start)), {start, end}};
    }
    from = end;
  }
  return std::nullopt;
}

}  // namespace

std::optional<EmailMatch> emailIn(std::string_view text) {
  const std::string_view trimmed = trimSpaces(text);
  if (!text::startsWithNoCase(trimmed, "mailto:")) return emailInText(text);
  const std::size_t begin = static_cast<std::size_t>(trimmed.data() - text.data()) + 7;
  std::string_view link = text.substr(begin);
  link = link.substr(0, link.find_first_of("?#"));
  const std::string decoded(trimSpaces(text::percentDecoded(link)));
  // Several recipients: the first is the one.
  const std::string first(
      trimSpaces(std::string_view(decoded).substr(0, decoded.find_first_of(",;"))));
  std::optional<EmailMatch> found = emailInText(first);
  if (!found || found->address.size() != first.size()) return std::nullopt;
  found->span = {begin, begin + link.size()};
  return found;
}

bool isEmail(std::string_view value) {
  const std::string_view trimmed = trimSpaces(value);
  if (trimmed.find('@') == std::string_view::npos) return false;
  const std::optional<EmailMatch> found = emailIn(trimmed);
  if (!found) return false;
  if (text::startsWithNoCase(trimmed, "mailto:")) return true;
  if (found->span.end != trimmed.size()) return false;
  // A label before it ("E-mail: ") and nothing else.
  const std::string_view label = trimmed.substr(0, found->span.begin);
  std::size_t letters = 0;
  for (std::size_t i = 0; i < label.size();) {
    const CodePoint c = decodeAt(label, i);
    if (isAsciiDigit(c.value) || c.value == U'@') return false;
    letters += isLetter(c.value) ? 1 : 0;
    i += c.length;
  }
  const bool separated = label.empty() || label.back() == ':' || label.back() == ' ';
  return separated && letters <= kMaxLabelLetters;
}

std::string emailPattern() {
  return R"((?<![\p{L}\p{N}_.+\-])([_a-zA-Z0-9.+\-]+@[_a-zA-Z0-9\-]+(?:\.[_a-zA-Z0-9\-]+)+))";
}

}  // namespace quillon::fields
