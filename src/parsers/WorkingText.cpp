#include "parsers/WorkingText.h"

#include "text/Cp1252.h"

namespace quillon::parsers {

WorkingText::WorkingText(std::u16string& text)
    : wide_(text), bytes_(text::utf16ToCp1252(text)) {}

WorkingText::~WorkingText() {
  try {
    commit();
  } catch (...) {
    // Only allocation can fail here; the entry keeps its earlier Text.
  }
}

void WorkingText::replace(std::string_view what, std::string_view placeholder,
                          ReplaceMode mode) {
  if (what.empty()) return;
  bytes_ = replaceText(bytes_, what, placeholder, mode);
  stored_ = true;
}

void WorkingText::commit() {
  if (!stored_) return;
  wide_ = text::cp1252ToUtf16(bytes_);
  stored_ = false;
}

}  // namespace quillon::parsers
