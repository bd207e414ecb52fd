#include "profiles/FieldValues.h"

#include "fields/TextShapes.h"
#include "parsers/ParserError.h"
#include "parsers/RegExpr.h"
#include "profiles/ProfileError.h"
#include "text/Ascii.h"
#include "text/TextRules.h"

namespace quillon::profiles {

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
  const bool telephone = column == Column::Telephone || column == Column::Fax;
  std::string_view rest;
  bool mail = false;
  if ((address || telephone) && text::startsWithNoCase(value, "tel:")) {
    rest = value.substr(4);
  } else if (telephone && text::startsWithNoCase(value, "callto:")) {
    rest = value.substr(7);
  } else if (telephone && text::startsWithNoCase(value, "fax:")) {
    rest = value.substr(4);
  } else if (address && text::startsWithNoCase(value, "mailto:")) {
    rest = value.substr(7);
    mail = true;
  } else {
    return std::string(value);
  }
  if (mail) rest = rest.substr(0, rest.find('?'));
  return text::percentDecoded(rest);
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
  std::string value = read(column, raw);
  if (!keeps(column, value)) value.clear();
  return value;
}

bool FieldValues::keeps(Column column, std::string_view value) const {
  const auto& rule = m_profile[column];
  if (value.empty() || !rule || !rule->checkKind || rule->fromStructuredData) return true;
  return fitsColumn(column, value, m_page);
}

bool fitsColumn(Column column, std::string_view value, const fields::PageContext& page) {
  const std::optional<fields::Kind> kind = fields::kindOfColumn(static_cast<std::size_t>(column));
  if (!kind) return true;
  if (*kind != fields::Kind::Name) return fields::isOfKind(value, *kind, page);
  const fields::KindSet kinds = fields::kindsOf(value, page);
  return !kinds.has(fields::Kind::Telephone) && !kinds.has(fields::Kind::Email) &&
         !kinds.has(fields::Kind::Web) && !fields::isButtonCaption(value);
}

std::string FieldValues::read(Column column, std::string_view raw) {
  const auto index = static_cast<std::size_t>(column);
  const auto& rule = m_profile.fields[index];
  if (!rule) return {};
  std::string value = text::collapseWhiteSpace(raw);
  if (!rule->attribute.empty()) value = text::collapseWhiteSpace(withoutScheme(column, value));
  if (parsers::RegExpr* pattern = m_patterns[index].get()) {
    value = pattern->exec(value) ? text::collapseWhiteSpace(pattern->match(1)) : std::string();
  }
  return value;
}

}  // namespace quillon::profiles
