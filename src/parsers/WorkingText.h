#pragma once

#include "parsers/TextReplace.h"

#include <string>
#include <string_view>

namespace quillon::parsers {

// The working text of a listing entry during one Execute. Patterns see its cp1252 form;
// every replacement stores the cp1252 result back as wide text, so the entry's Text
// only holds characters that survive cp1252 once something has been replaced. The wide
// text is written back once, when the rules are done (or an error leaves them).
class WorkingText {
 public:
  explicit WorkingText(std::u16string& text);
  ~WorkingText();
  WorkingText(const WorkingText&) = delete;
  WorkingText& operator=(const WorkingText&) = delete;

  // The current working text as cp1252 bytes.
  const std::string& bytes() const { return m_bytes; }

  // Replaces `what` by the placeholder; an empty `what` leaves everything as it is.
  void replace(std::string_view what, std::string_view placeholder, ReplaceMode mode);

  // Writes the cp1252 text back into the entry's wide Text when a replacement was stored.
  void commit();

 private:
  std::u16string& m_wide;
  std::string m_bytes;
  bool m_stored = false;
};

}  // namespace quillon::parsers
