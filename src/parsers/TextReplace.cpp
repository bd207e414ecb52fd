#include "parsers/TextReplace.h"

namespace quillon::parsers {

std::string replaceText(std::string_view text, std::string_view what, std::string_view with,
                        ReplaceMode mode) {
  if (what.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  while (true) {
    const std::size_t at = text.find(what, from);
    if (at == std::string_view::npos) break;
    out.append(text, from, at - from);
    out.append(with);
    from = at + what.size();
    if (mode == ReplaceMode::FirstOccurrence) break;
  }
  out.append(text, from, std::string_view::npos);
  return out;
}

}  // namespace quillon::parsers
