#include "profiles/FieldValues.h"

#include "parsers/ParserError.h"
#include "parsers/RegExpr.h"
#include "profiles/ProfileError.h"
#include "structured/StructuredText.h"

namespace quillon::profiles {
namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         structured::asciiLower(text.substr(0, prefix.size())) == prefix;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string percentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = hexDigit(text[i + 1]);
      const int low = hexDigit(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace

std::unique_ptr<parsers::RegExpr> compileFieldPattern(std::string_view pattern) {
  std::unique_ptr<parsers::RegExpr> compiled;
  try {
    compiled = std::make_unique<parsers::RegExpr>(pattern, parsers::RegExpr::Syntax::Utf8);
  } catch (const parsers::ERegExpr& error) {
    throw ProfileError(std::string("the pattern does not compile: ") + error.what());
  }
  if (compiled->groupCount() < 1) throw ProfileError("the pattern has no group");
  return compiled;
}

std::string withoutScheme(Column column, std::string_view value) {
  const bool address = column == Column::Url || column == Column::Email;
  std::string_view rest;
  bool mail = false;
  if ((address || column == Column::Telephone) && startsWithNoCase(value, "tel:")) {
    rest = value.substr(4);
  } else if (address && startsWithNoCase(value, "mailto:")) {
    rest = value.substr(7);
    mail = true;
  } else {
    return std::string(value);
  }
  if (mail) rest = rest.substr(0, rest.find('?'));
  return percentDecoded(rest);
}

FieldValues::FieldValues(const Profile& profile) : m_profile(profile) {
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    const auto& rule = profile.fields[i];
    if (rule && !rule->fromStructuredData && !rule->pattern.empty()) {
      m_patterns[i] = compileFieldPattern(rule->pattern);
    }
  }
}

FieldValues::~FieldValues() = default;

std::string FieldValues::value(Column column, std::string_view raw) {
  const auto index = static_cast<std::size_t>(column);
  const auto& rule = m_profile.fields[index];
  if (!rule) return {};
  std::string value = structured::collapseWhiteSpace(raw);
  if (!rule->attribute.empty())
    value = structured::collapseWhiteSpace(withoutScheme(column, value));
  if (parsers::RegExpr* pattern = m_patterns[index].get()) {
    value =
        pattern->exec(value) ? structured::collapseWhiteSpace(pattern->match(1)) : std::string();
  }
  return value;
}

}  // namespace quillon::profiles
