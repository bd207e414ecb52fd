#include "parsers/WorkingText.h"

#include "text/Cp1252.h"

namespace quillon::parsers {

WorkingText::WorkingText(std::u16string& text) : m_wide(text), m_bytes(text::utf16ToCp1252(text)) {}

WorkingText::~WorkingText() {
  try {
    commit();
  } catch (...) {
    // Only allocation can fail here; the entry keeps its earlier Text.
  }
}

void WorkingText::replace(std::string_view what, std::string_view placeholder, ReplaceMode mode) {
  if (what.empty()) return;
  m_bytes = replaceText(m_bytes, what, placeholder, mode);
  m_stored = true;
}

void WorkingText::commit() {
  if (!m_stored) return;
  m_wide = text::cp1252ToUtf16(m_bytes);
  m_stored = false;
}

}  // namespace quillon::parsers
