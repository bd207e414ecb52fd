#include "JsonRows.h"

#include "text/Utf8.h"

#include <fstream>
#include <sstream>

namespace quillon::cli::testing {
namespace {

struct Reader {
  const std::string& s;
  std::size_t i = 0;

  void space() {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\n' || s[i] == '\r' || s[i] == '\t')) ++i;
  }
  bool take(char c) {
    space();
    if (i < s.size() && s[i] == c) {
      ++i;
      return true;
    }
    return false;
  }
  bool string(std::string& out) {
    if (!take('"')) return false;
    std::u16string wide;
    while (i < s.size() && s[i] != '"') {
      if (s[i] != '\\') {
        std::size_t start = i;
        while (i < s.size() && s[i] != '"' && s[i] != '\\') ++i;
        wide += text::utf8ToUtf16(s.substr(start, i - start));
        continue;
      }
      if (++i >= s.size()) return false;
      const char e = s[i++];
      if (e == 'u') {
        if (i + 4 > s.size()) return false;
        wide.push_back(static_cast<char16_t>(std::stoi(s.substr(i, 4), nullptr, 16)));
        i += 4;
      } else {
        wide.push_back(e == 'n' ? u'\n' : e == 'r' ? u'\r' : e == 't' ? u'\t' : char16_t(e));
      }
    }
    out = text::utf16ToUtf8(wide);
    return take('"');
  }
};

}  // namespace

bool parseJsonRows(const std::string& json, std::vector<std::vector<std::string>>& rows) {
  Reader r{json};
  rows.clear();
  if (!r.take('[')) return false;
  if (r.take(']')) return true;
  do {
    if (!r.take('[')) return false;
    auto& row = rows.emplace_back();
    if (r.take(']')) continue;
    do {
      if (!r.string(row.emplace_back())) return false;
    } while (r.take(','));
    if (!r.take(']')) return false;
  } while (r.take(','));
  return r.take(']');
}

std::vector<std::vector<std::string>> readTsvRows(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    auto& row = rows.emplace_back();
    std::stringstream cells(line);
    std::string cell;
    while (std::getline(cells, cell, '\t')) row.push_back(cell);
    if (!line.empty() && line.back() == '\t') row.emplace_back();
  }
  return rows;
}

}  // namespace quillon::cli::testing
