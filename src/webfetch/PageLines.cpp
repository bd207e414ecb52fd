#include "webfetch/PageLines.h"

namespace quillon::webfetch {

std::vector<std::string> splitPageLines(std::string_view body) {
  body = body.substr(0, body.find('\0'));
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < body.size()) {
    const std::size_t end = body.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(body.substr(start));
      break;
    }
    lines.emplace_back(body.substr(start, end - start));
    start = end + 1;
    if (body[end] == '\r' && start < body.size() && body[start] == '\n') ++start;
  }
  return lines;
}

std::string joinPageLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace quillon::webfetch
