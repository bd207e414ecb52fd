#include "profiles/PatternMaker.h"

#include "fields/AddressSplit.h"
#include "fields/KindPatterns.h"
#include "fields/PostalShapes.h"
#include "parsers/ParserError.h"
#include "parsers/RegExpr.h"
#include "text/Ascii.h"

#include <memory>

namespace quillon::profiles {
namespace {

enum class Run { Digits, Letters, Space, Other };

bool isSpaceByte(char c) { return c == ' '; }
bool isLetterByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return text::isAsciiLetter(c) || u >= 0x80;
}

Run runOf(char c) {
  if (text::isAsciiDigit(c)) return Run::Digits;
  if (isSpaceByte(c)) return Run::Space;
  if (isLetterByte(c)) return Run::Letters;
  return Run::Other;
}

std::string escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (std::string_view("\\^$.|?*+()[]{}/-#").find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
  return out;
}

// The text as a pattern: digits as \d+ (or \d{n} when exact), spaces as \s*, letters as
// written or as any letters, the rest as written.
std::string shape(std::string_view text, bool exactDigits, bool anyWords) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const Run run = runOf(text[i]);
    std::size_t end = i + 1;
    while (end < text.size() && runOf(text[end]) == run && run != Run::Other) ++end;
    const std::string_view piece = text.substr(i, end - i);
    switch (run) {
      case Run::Digits:
        if (exactDigits) {
          out.append("\\d{").append(std::to_string(piece.size())).append("}");
        } else {
          out.append("\\d+");
        }
        break;
      case Run::Space:
        out += "\\s*";
        break;
      case Run::Letters:
        out += anyWords ? "\\p{L}+" : escaped(piece);
        break;
      case Run::Other:
        out += escaped(piece);
        break;
    }
    i = end;
  }
  return out;
}

bool isSeparator(char c) { return std::string_view(",;|:/()-").find(c) != std::string_view::npos; }

std::vector<std::string> captures(std::string_view example, bool atEnd) {
  std::vector<std::string> out;
  bool digitsOnly = true;
  int digits = 0;
  bool phoneLike = true;
  for (const char c : example) {
    digitsOnly = digitsOnly && text::isAsciiDigit(c);
    digits += text::isAsciiDigit(c) ? 1 : 0;
    phoneLike = phoneLike && (text::isAsciiDigit(c) ||
                              std::string_view(" +-.()/").find(c) != std::string_view::npos);
  }
  if (digitsOnly) {
    std::string exact = "(\\d{";
    exact.append(std::to_string(example.size())).append("})");
    out.push_back(exact);
    out.push_back("(\\d+)");
  }
  if (phoneLike && digits >= 6) out.push_back("(\\+?[\\d(][\\d\\s().\\/-]*\\d)");
  out.push_back(atEnd ? "(.+)" : "(.+?)");
  return out;
}

std::vector<std::string> prefixes(std::string_view prefix) {
  std::vector<std::string> out;
  if (prefix.empty()) return {"^"};
  out.push_back(std::string("^").append(shape(prefix, false, false)));
  out.push_back(std::string("^").append(shape(prefix, true, true)));
  out.push_back(std::string("^").append(shape(prefix, false, true)));
  // Only what follows the last separator: "…, 28013 " of a street, "Tel.: " of anything.
  for (std::size_t i = prefix.size(); i-- > 0;) {
    if (isSeparator(prefix[i])) {
      std::string head = "^.*";
      head.append(escaped(prefix.substr(i, 1)));
      out.push_back(head + shape(prefix.substr(i + 1), false, false));
      out.push_back(head + shape(prefix.substr(i + 1), false, true));
      break;
    }
  }
  // Only the last word and what follows it: a label such as "Tel. ".
  std::size_t word = prefix.size();
  while (word > 0 && isSpaceByte(prefix[word - 1])) --word;
  while (word > 0 && !isSpaceByte(prefix[word - 1])) --word;
  if (word > 0) out.push_back(shape(prefix.substr(word), false, false));
  return out;
}

std::vector<std::string> suffixes(std::string_view suffix) {
  if (suffix.empty()) return {"$"};
  std::vector<std::string> out;
  out.push_back(shape(suffix, false, false) + "$");
  out.push_back(shape(suffix, true, true) + "$");
  out.push_back(shape(suffix, false, true) + "$");
  // Up to the next separator or the next run of another kind.
  std::size_t first = 0;
  while (first < suffix.size() && isSpaceByte(suffix[first])) ++first;
  if (first < suffix.size()) {
    if (isSeparator(suffix[first])) {
      std::string stop = first > 0 ? "\\s*" : "";
      stop.append(escaped(suffix.substr(first, 1)));
      out.push_back(stop);
    }
    std::size_t end = first + 1;
    while (end < suffix.size() && runOf(suffix[end]) == runOf(suffix[first])) ++end;
    out.push_back(shape(suffix.substr(0, end), true, false));
  }
  out.push_back("");
  return out;
}

// The first group of the pattern's first match, or nothing.
std::optional<std::string> cut(parsers::RegExpr& pattern, std::string_view text) {
  if (!pattern.exec(text)) return std::nullopt;
  return std::string(pattern.match(1));
}

std::optional<fields::Part> partOf(Column column) {
  switch (column) {
    case Column::Telephone:
    case Column::Fax:
      return fields::Part::Telephone;
    case Column::Email:
      return fields::Part::Email;
    case Column::Street:
      return fields::Part::Street;
    case Column::PostalCode:
      return fields::Part::PostalCode;
    case Column::Locality:
      return fields::Part::Locality;
    case Column::Region:
      return fields::Part::Province;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<std::string> kindPattern(Column column, std::string_view text,
                                       std::string_view example, std::string_view country) {
  const std::optional<fields::Part> part = partOf(column);
  if (!part) return std::nullopt;
  std::string_view shape = country;
  if (fields::shapeOf(country) == nullptr) shape = fields::splitAddress(text, {}).shape;
  const std::string pattern = fields::patternFor(*part, shape);
  if (pattern.empty()) return std::nullopt;
  try {
    parsers::RegExpr compiled(pattern, parsers::RegExpr::Syntax::Utf8);
    if (cut(compiled, text) == std::string(example)) return pattern;
  } catch (const parsers::ERegExpr&) {
  }
  return std::nullopt;
}

std::optional<std::string> makePattern(std::string_view text, std::size_t offset,
                                       std::string_view example,
                                       const std::vector<std::string>& otherTexts) {
  if (offset > text.size() || text.substr(offset, example.size()) != example) return std::nullopt;
  const std::string_view prefix = text.substr(0, offset);
  const std::string_view suffix = text.substr(offset + example.size());
  std::optional<std::string> best;
  int bestScore = -1;
  for (const std::string& head : prefixes(prefix)) {
    for (const std::string& group : captures(example, suffix.empty())) {
      for (const std::string& tail : suffixes(suffix)) {
        const std::string candidate = head + group + tail;
        std::unique_ptr<parsers::RegExpr> pattern;
        try {
          pattern = std::make_unique<parsers::RegExpr>(candidate, parsers::RegExpr::Syntax::Utf8);
        } catch (const parsers::ERegExpr&) {
          continue;
        }
        if (cut(*pattern, text) != std::string(example)) continue;
        int score = 0;
        for (const std::string& other : otherTexts) {
          const auto value = cut(*pattern, other);
          score += value && !value->empty() ? 1 : 0;
        }
        if (score > bestScore || (score == bestScore && candidate.size() < best->size())) {
          best = candidate;
          bestScore = score;
        }
      }
    }
  }
  return best;
}

}  // namespace quillon::profiles
