// The split of a fetched body into lines, against the rule written character by
// character, and the join that hands the lines to the e-mail finder.

#include "FuzzSupport.h"
#include "webfetch/PageLines.h"

#include <vector>

namespace {

// A line ends at CR LF, a lone CR or a lone LF; a NUL ends the text; a break at the very
// end opens no further line.
std::vector<std::string> literalSplit(std::string_view body) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;
  for (std::size_t i = 0; i < body.size() && body[i] != '\0'; ++i) {
    if (body[i] == '\r' || body[i] == '\n') {
      lines.push_back(line);
      line.clear();
      open = false;
      if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n') ++i;
    } else {
      line += body[i];
      open = true;
    }
  }
  if (open) lines.push_back(line);
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view body = quillon::fuzz::bytesOf(data, size);
  const std::vector<std::string> lines = quillon::webfetch::splitPageLines(body);
  FUZZ_CHECK(lines == literalSplit(body));
  for (const std::string& line : lines) {
    FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
  }
  // Joined, every line ends in CR LF, and splitting that again gives the same lines.
  const std::string joined = quillon::webfetch::joinPageLines(lines);
  FUZZ_CHECK(quillon::webfetch::splitPageLines(joined) == lines);
  std::size_t length = 0;
  for (const std::string& line : lines) length += line.size() + 2;
  FUZZ_CHECK(joined.size() == length);
  return 0;
}
