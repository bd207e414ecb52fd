#include "structured/CharacterReferences.h"

#include "text/Cp1252.h"

#include <array>
#include <optional>
#include <unordered_map>

namespace quillon::structured {
namespace {

// Latin-1's named characters, U+00A0 to U+00FF in order.
constexpr std::array<std::string_view, 96> kLatin1 = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

struct Named {
  std::string_view name;
  char32_t code;
};

constexpr Named kOthers[] = {
    {"quot", 0x22},     {"amp", 0x26},      {"apos", 0x27},    {"lt", 0x3C},
    {"gt", 0x3E},       {"OElig", 0x152},   {"oelig", 0x153},  {"Scaron", 0x160},
    {"scaron", 0x161},  {"Yuml", 0x178},    {"fnof", 0x192},   {"circ", 0x2C6},
    {"tilde", 0x2DC},   {"ensp", 0x2002},   {"emsp", 0x2003},  {"thinsp", 0x2009},
    {"zwnj", 0x200C},   {"zwj", 0x200D},    {"lrm", 0x200E},   {"rlm", 0x200F},
    {"ndash", 0x2013},  {"mdash", 0x2014},  {"lsquo", 0x2018}, {"rsquo", 0x2019},
    {"sbquo", 0x201A},  {"ldquo", 0x201C},  {"rdquo", 0x201D}, {"bdquo", 0x201E},
    {"dagger", 0x2020}, {"Dagger", 0x2021}, {"bull", 0x2022},  {"hellip", 0x2026},
    {"permil", 0x2030}, {"prime", 0x2032},  {"Prime", 0x2033}, {"lsaquo", 0x2039},
    {"rsaquo", 0x203A}, {"oline", 0x203E},  {"frasl", 0x2044}, {"euro", 0x20AC},
    {"trade", 0x2122},  {"larr", 0x2190},   {"uarr", 0x2191},  {"rarr", 0x2192},
    {"darr", 0x2193},   {"harr", 0x2194},   {"minus", 0x2212}};

const std::unordered_map<std::string_view, char32_t>& namedCharacters() {
  static const std::unordered_map<std::string_view, char32_t> table = [] {
    std::unordered_map<std::string_view, char32_t> map;
    for (std::size_t i = 0; i < kLatin1.size(); ++i) {
      map.emplace(kLatin1[i], static_cast<char32_t>(0xA0 + i));
    }
    for (const Named& named : kOthers) map.emplace(named.name, named.code);
    return map;
  }();
  return table;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int digitValue(char c, int base) {
  if (c >= '0' && c <= '9') return c - '0';
  if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// What a browser makes of a numeric reference's value.
char32_t numericCharacter(char32_t value) {
  if (value >= 0x80 && value <= 0x9F) {
    return text::charFromCp1252(static_cast<unsigned char>(value));
  }
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0xFFFD;
  return value;
}

struct Reference {
  char32_t code;
  std::size_t length;  // from "&" to ";" inclusive
};

std::optional<Reference> numericReference(std::string_view text) {
  // text starts with "&#"
  std::size_t i = 2;
  int base = 10;
  if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) base = 16, ++i;
  const std::size_t digitsStart = i;
  char32_t value = 0;
  for (; i < text.size() && digitValue(text[i], base) >= 0; ++i) {
    const auto digit = static_cast<char32_t>(digitValue(text[i], base));
    value = value > 0x10FFFF ? value : value * static_cast<char32_t>(base) + digit;
  }
  if (i == digitsStart || i >= text.size() || text[i] != ';') return std::nullopt;
  return Reference{numericCharacter(value), i + 1};
}

std::optional<Reference> namedReference(std::string_view text) {
  // text starts with "&"; the longest name has 6 letters
  const std::size_t end = text.substr(0, 8).find(';');
  if (end == std::string_view::npos || end < 2) return std::nullopt;
  const auto& table = namedCharacters();
  const auto found = table.find(text.substr(1, end - 1));
  if (found == table.end()) return std::nullopt;
  return Reference{found->second, end + 1};
}

}  // namespace

std::string decodeCharacterReferences(std::string_view text) {
  std::size_t amp = text.find('&');
  if (amp == std::string_view::npos) return std::string(text);
  std::string out(text.substr(0, amp));
  while (amp != std::string_view::npos) {
    const std::string_view rest = text.substr(amp);
    const std::optional<Reference> reference =
        rest.size() > 1 && rest[1] == '#' ? numericReference(rest) : namedReference(rest);
    std::size_t next = amp + 1;
    if (reference) {
      appendUtf8(out, reference->code);
      next = amp + reference->length;
    } else {
      out += '&';
    }
    amp = text.find('&', next);
    out.append(text.substr(next, (amp == std::string_view::npos ? text.size() : amp) - next));
  }
  return out;
}

}  // namespace quillon::structured
