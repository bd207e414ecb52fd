#pragma once

#include <string>
#include <string_view>

struct UCollator;

namespace quillon::results {

// The locale-aware comparison of names for the order by name: ICU collation sort keys,
// computed once per name, so that comparing two names is comparing two byte strings.
class NameCollator {
 public:
  // A collator for an ICU locale id such as "es_ES"; "" is the root collation. A locale
  // ICU does not know falls back to the root collation.
  explicit NameCollator(const std::string& locale);
  NameCollator(NameCollator&& other) noexcept;
  NameCollator& operator=(NameCollator&& other) noexcept;
  NameCollator(const NameCollator&) = delete;
  NameCollator& operator=(const NameCollator&) = delete;
  ~NameCollator();

  // The collator of the user's locale (LC_ALL, else LC_COLLATE, else LANG).
  static NameCollator fromEnvironment();

  // The ICU locale id for POSIX locale settings, taken in that order of precedence:
  // "es_ES.UTF-8@euro" gives "es_ES"; "C", "POSIX" and nothing at all give "" (root).
  static std::string localeFromSettings(const char* lcAll, const char* lcCollate, const char* lang);

  // The sort key of a UTF-8 name; keys compare byte-wise as the names collate.
  std::string sortKey(std::string_view name) const;

  // The locale id the collator was asked for.
  const std::string& locale() const { return m_locale; }

 private:
  UCollator* m_collator = nullptr;
  std::string m_locale;
};

}  // namespace quillon::results
