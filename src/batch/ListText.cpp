#include "batch/ListText.h"

#include "text/Ascii.h"
#include "text/Utf8.h"

namespace quillon::batch {
namespace {

std::string_view trimmed(std::string_view line) {
  while (!line.empty() && text::isAsciiSpace(line.front())) line.remove_prefix(1);
  while (!line.empty() && text::isAsciiSpace(line.back())) line.remove_suffix(1);
  return line;
}

}  // namespace

ListText readListText(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  ListText list;
  int number = 0;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    const std::string_view line = trimmed(bytes.substr(0, end));
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    ++number;
    if (line.empty() || line.front() == '#') continue;
    if (!text::isValidUtf8(line)) list.badLines.push_back(number);
    list.lines.push_back({number, text::wellFormedUtf8(line)});
  }
  return list;
}

std::string notUtf8Problem(const ListText& text, std::string_view name) {
  if (text.badLines.empty()) return {};
  const int first = text.badLines.front();
  std::string problem(name);
  problem += " is not UTF-8: line " + std::to_string(first);
  if (const std::size_t more = text.badLines.size() - 1; more > 0) {
    problem += " (and " + std::to_string(more) + (more == 1 ? " more line)" : " more lines)");
  }
  for (const ListLine& line : text.lines) {
    if (line.number == first) problem += " reads \"" + line.text + "\"";
  }
  problem += ", read with U+FFFD for the bytes that are not; save it as UTF-8 (for instance";
  problem += " with iconv -f WINDOWS-1252 -t UTF-8)";
  return problem;
}

}  // namespace quillon::batch
