#include "fields/Telephone.h"

#include "fields/PhoneNumberCheck.h"
#include "fields/TextScan.h"
#include "text/Ascii.h"

#include <vector>

namespace quillon::fields {
namespace {

constexpr std::size_t kMinDigits = 6;
constexpr std::size_t kMaxCandidateDigits = 17;
constexpr std::size_t kMaxPlainDigits = 15;
// libphonenumber costs microseconds a call: a text full of digit runs is judged by shape
// beyond its first few candidates.
constexpr int kLibraryCallsPerText = 8;
constexpr std::size_t kMaxLabelLetters = 24;

bool isDigitByte(char c) { return c >= '0' && c <= '9'; }

bool isSeparator(char32_t c) {
  return isHorizontalSpace(c) || c == U'.' || c == U'-' || c == U'/' || c == U'(' || c == U')' ||
         (c >= 0x2010 && c <= 0x2013);
}

struct Candidate {
  Span span;
  std::size_t digits = 0;
};

// The candidate that begins at i, read greedily as its pattern reads it.
std::optional<Candidate> candidateAt(std::string_view text, std::size_t i) {
  if (i > 0) {
    const char32_t before = decodeBefore(text, i).value;
    if (isWordChar(before) || before == U'+') return std::nullopt;
  }
  std::size_t pos = i;
  if (pos < text.size() && text[pos] == '+') ++pos;
  if (pos < text.size() && text[pos] == '(') ++pos;
  if (pos >= text.size() || !isDigitByte(text[pos])) return std::nullopt;
  ++pos;
  std::size_t digits = 1;
  std::optional<Candidate> best;
  const auto consider = [&](std::size_t end) {
    if (digits >= kMinDigits && !wordCharAt(text, end)) best = Candidate{{i, end}, digits};
  };
  consider(pos);
  while (digits < kMaxCandidateDigits) {
    std::size_t q = pos;
    for (int separators = 0; separators < 2 && q < text.size(); ++separators) {
      const CodePoint c = decodeAt(text, q);
      if (!isSeparator(c.value)) break;
      q += c.length;
    }
    if (q >= text.size() || !isDigitByte(text[q])) break;
    pos = q + 1;
    ++digits;
    consider(pos);
  }
  return best;
}

// The digits of a candidate, "+" first for an international one ("00" read as "+").
std::string dialled(std::string_view candidate) {
  std::string out;
  if (!candidate.empty() && candidate.front() == '+') out += '+';
  for (const char c : candidate) {
    if (isDigitByte(c)) out += c;
  }
  if (out.size() > 2 && out[0] == '0' && out[1] == '0') out.replace(0, 2, "+");
  return out;
}

bool isPlainRun(std::string_view candidate) {
  if (!candidate.empty() && candidate.front() == '+') candidate.remove_prefix(1);
  for (const char c : candidate) {
    if (!isDigitByte(c)) return false;
  }
  return true;
}

// The lengths of the digit groups and the separators between them.
struct Groups {
  std::vector<std::size_t> sizes;
  std::string separators;
};

Groups groupsOf(std::string_view candidate) {
  Groups groups;
  std::size_t run = 0;
  for (const char c : candidate) {
    if (isDigitByte(c)) {
      ++run;
      continue;
    }
    if (run > 0) {
      groups.sizes.push_back(run);
      groups.separators += c;
    }
    run = 0;
  }
  if (run > 0) groups.sizes.push_back(run);
  return groups;
}

// "12/03/2024", "2024-03-12", "12.03.24"
bool looksLikeDate(const Groups& g) {
  if (g.sizes.size() != 3 || g.separators.size() != 2 || g.separators[0] != g.separators[1]) {
    return false;
  }
  const char s = g.separators[0];
  if (s != '/' && s != '.' && s != '-') return false;
  const bool dayFirst = g.sizes[0] <= 2 && g.sizes[1] <= 2 && (g.sizes[2] == 2 || g.sizes[2] == 4);
  const bool yearFirst = g.sizes[0] == 4 && g.sizes[1] <= 2 && g.sizes[2] <= 2;
  return dayFirst || yearFirst;
}

// "1.250.000"
bool looksLikeAmount(const Groups& g) {
  if (g.sizes.size() < 2 || g.sizes[0] > 3) return false;
  for (std::size_t k = 1; k < g.sizes.size(); ++k) {
    if (g.sizes[k] != 3 || g.separators[k - 1] != '.') return false;
  }
  return true;
}

bool hasNumberShape(std::string_view candidate, std::size_t digits) {
  if (digits > kMaxPlainDigits) return false;
  const Groups groups = groupsOf(candidate);
  if (looksLikeDate(groups) || looksLikeAmount(groups)) return false;
  const char first = candidate.front();
  return first == '+' || first == '(' || first == '0' || digits >= 8;
}

struct Judge {
  std::string_view country;
  bool fromLink = false;
  int libraryCalls = 0;

  // Whether the candidate is a telephone. The rules that need no library go first: a call
  // costs microseconds.
  bool accepts(std::string_view candidate, std::size_t digits) {
    if (fromLink || (isPlainRun(candidate) && digits <= kMaxPlainDigits)) return true;
    const std::string number = dialled(candidate);
    const bool international = number.front() == '+';
    const bool known = isPhoneCountry(country);
    if ((international || known) && libraryCalls < kLibraryCallsPerText) {
      ++libraryCalls;
      const PhoneVerdict verdict = checkPhoneNumber(number, country);
      if (verdict == PhoneVerdict::Valid || (verdict == PhoneVerdict::Possible && international)) {
        return true;
      }
    }
    return !known && hasNumberShape(candidate, digits);
  }
};

std::optional<TelephoneMatch> nextTelephone(std::string_view text, std::size_t from, Judge& judge) {
  if (countDigits(text.substr(from), kMinDigits) < kMinDigits) return std::nullopt;
  for (std::size_t i = from; i < text.size(); i += decodeAt(text, i).length) {
    const char c = text[i];
    if (!isDigitByte(c) && c != '+' && c != '(') continue;
    const std::optional<Candidate> candidate = candidateAt(text, i);
    if (!candidate) continue;
    const std::string_view written = candidate->span.in(text);
    if (judge.accepts(written, candidate->digits)) {
      return TelephoneMatch{std::string(written), candidate->span};
    }
    // The tail of a date is no telephone ("03/2024" of "12/03/2024"); the tail of other runs
    // may be ("915551234" of "28013 915551234").
    const Groups groups = groupsOf(written);
    if (looksLikeDate(groups) || looksLikeAmount(groups)) i = candidate->span.end - 1;
  }
  return std::nullopt;
}

// The length of a telephone scheme at the start of the text, or 0.
std::size_t schemeLength(std::string_view text) {
  for (const std::string_view scheme : {"tel:", "callto:", "fax:"}) {
    if (text::startsWithNoCase(text, scheme)) {
      std::size_t length = scheme.size();
      while (length < text.size() && text[length] == '/') ++length;
      return length;
    }
  }
  return 0;
}

std::optional<TelephoneMatch> fromLink(std::string_view text, std::size_t offset,
                                       std::string_view country) {
  std::string_view address = text.substr(offset);
  address = address.substr(0, address.find_first_of(";?"));
  const std::string decoded(trimSpaces(text::percentDecoded(address)));
  Judge judge{country, true};
  const std::optional<TelephoneMatch> found = nextTelephone(decoded, 0, judge);
  if (!found || found->span != Span{0, decoded.size()}) return std::nullopt;
  const std::string_view trimmed = trimSpaces(address);
  const std::size_t begin = offset + static_cast<std::size_t>(trimmed.data() - address.data());
  return TelephoneMatch{decoded, {begin, begin + trimmed.size()}};
}

}  // namespace

std::size_t countDigits(std::string_view text, std::size_t limit) {
  std::size_t count = 0;
  for (const char c : text) {
    if (isDigitByte(c) && ++count >= limit) break;
  }
  return count;
}

std::optional<TelephoneMatch> telephoneIn(std::string_view text, std::string_view country) {
  const std::string_view trimmed = trimSpaces(text);
  const std::size_t offset = static_cast<std::size_t>(trimmed.data() - text.data());
  if (const std::size_t scheme = schemeLength(trimmed); scheme > 0) {
    return fromLink(text, offset + scheme, country);
  }
  Judge judge{country, false};
  return nextTelephone(text, 0, judge);
}

bool isTelephone(std::string_view value, std::string_view country) {
  const std::string_view trimmed = trimSpaces(value);
  if (countDigits(trimmed, kMinDigits) < kMinDigits) return false;
  if (schemeLength(trimmed) > 0) return telephoneIn(trimmed, country).has_value();
  Judge judge{country, false};
  std::size_t letters = 0;
  bool any = false;
  std::size_t pos = 0;
  const auto countRest = [&](std::string_view rest) {
    for (std::size_t i = 0; i < rest.size();) {
      const CodePoint c = decodeAt(rest, i);
      if (isDigitByte(rest[i])) return false;
      letters += isLetter(c.value) ? 1 : 0;
      i += c.length;
    }
    return letters <= kMaxLabelLetters;
  };
  while (const std::optional<TelephoneMatch> found = nextTelephone(trimmed, pos, judge)) {
    if (!countRest(trimmed.substr(pos, found->span.begin - pos))) return false;
    any = true;
    pos = found->span.end;
  }
  return any && countRest(trimmed.substr(pos));
}

std::string telephonePattern() {
  return R"((?<![\p{L}\p{N}_+])(\+?\(?[0-9](?:[\h.\-/()\x{2010}-\x{2013}]{0,2}[0-9]){5,16})(?![\p{L}\p{N}_]))";
}

}  // namespace quillon::fields
