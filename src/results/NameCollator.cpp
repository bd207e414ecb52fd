#include "results/NameCollator.h"

#include "text/Utf8.h"

#include <cstdlib>
#include <stdexcept>
#include <unicode/ucol.h>
#include <utility>

namespace quillon::results {

NameCollator::NameCollator(const std::string& locale) : m_locale(locale) {
  UErrorCode status = U_ZERO_ERROR;
  m_collator = ucol_open(locale.c_str(), &status);
  if (U_FAILURE(status)) {
    status = U_ZERO_ERROR;
    m_collator = ucol_open("", &status);
  }
  if (U_FAILURE(status) || m_collator == nullptr) {
    throw std::runtime_error(std::string("Cannot open the ICU collator: ") + u_errorName(status));
  }
}

NameCollator::NameCollator(NameCollator&& other) noexcept
    : m_collator(std::exchange(other.m_collator, nullptr)), m_locale(std::move(other.m_locale)) {}

NameCollator& NameCollator::operator=(NameCollator&& other) noexcept {
  if (this != &other) {
    if (m_collator != nullptr) ucol_close(m_collator);
    m_collator = std::exchange(other.m_collator, nullptr);
    m_locale = std::move(other.m_locale);
  }
  return *this;
}

NameCollator::~NameCollator() {
  if (m_collator != nullptr) ucol_close(m_collator);
}

NameCollator NameCollator::fromEnvironment() {
  return NameCollator(
      localeFromSettings(std::getenv("LC_ALL"), std::getenv("LC_COLLATE"), std::getenv("LANG")));
}

std::string NameCollator::localeFromSettings(const char* lcAll, const char* lcCollate,
                                             const char* lang) {
  std::string_view setting;
  for (const char* candidate : {lcAll, lcCollate, lang}) {
    if (candidate != nullptr && *candidate != '\0') {
      setting = candidate;
      break;
    }
  }
  setting = setting.substr(0, setting.find_first_of(".@"));
  if (setting == "C" || setting == "POSIX") return {};
  return std::string(setting);
}

std::string NameCollator::sortKey(std::string_view name) const {
  const std::u16string wide = text::utf8ToUtf16(name);
  const auto length = static_cast<int32_t>(wide.size());
  std::string key(wide.size() * 4 + 16, '\0');
  auto* buffer = reinterpret_cast<uint8_t*>(key.data());
  int32_t needed =
      ucol_getSortKey(m_collator, wide.data(), length, buffer, static_cast<int32_t>(key.size()));
  if (needed > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<std::size_t>(needed));
    buffer = reinterpret_cast<uint8_t*>(key.data());
    needed = ucol_getSortKey(m_collator, wide.data(), length, buffer, needed);
  }
  // The key ends in one zero byte, which byte-wise comparison does not need.
  key.resize(needed > 0 ? static_cast<std::size_t>(needed) - 1 : 0);
  return key;
}

}  // namespace quillon::results
