// The cut of a page text into listing blocks, checked against the cut written as the
// copying loop over the remaining text; then the page's blocks go through the row
// pipeline of one capture step. First byte: bits 0-1 the site, bit 2 set reads the rest
// as UTF-16 code units instead of cp1252 bytes.

#include "FuzzSupport.h"
#include "capture/PageCut.h"
#include "capture/PageRows.h"
#include "results/NameCollator.h"
#include "results/ResultsTable.h"
#include "text/Cp1252.h"

#include <set>
#include <utility>
#include <vector>

namespace {

using namespace quillon;

// Positions counted from 1, as the cut is described: the block is the first p + 4
// characters, the rest starts at character p + 4.
std::vector<std::u16string> literalCut(std::u16string s) {
  std::vector<std::u16string> blocks;
  do {
    const std::size_t found = s.find(u"+-+");
    if (found == std::u16string::npos) {
      blocks.push_back(s);
      s.clear();
    } else {
      const std::size_t p = found + 1;
      blocks.push_back(s.substr(0, p + 4));
      s = s.size() >= p + 4 ? s.substr(p + 3) : std::u16string();
    }
  } while (!s.empty());
  return blocks;
}

void checkCut(const std::u16string& page) {
  std::vector<std::u16string> blocks;
  capture::forEachBlock(page, [&](std::u16string_view block) { blocks.emplace_back(block); });
  FUZZ_CHECK(blocks == literalCut(page));
  // Glued back with the one shared character between neighbours, the blocks are the page.
  std::u16string glued = blocks.front();
  for (std::size_t i = 1; i < blocks.size(); ++i) {
    FUZZ_CHECK(!glued.empty() && !blocks[i].empty() && glued.back() == blocks[i].front());
    glued.append(blocks[i], 1);
  }
  FUZZ_CHECK(glued == page);
}

void checkRows(parsers::Site site, const std::u16string& page) {
  results::ResultsTable table{results::NameCollator("es_ES")};
  const int added = capture::addPageRows(site, page, table);
  FUZZ_CHECK(added == table.Count());
  std::set<std::pair<std::string, std::string>> seen;
  for (int row = 0; row < table.Count(); ++row) {
    FUZZ_CHECK(!table.Cell(row, 0).empty());
    if (!table.Cell(row, 3).empty()) {
      FUZZ_CHECK(seen.emplace(table.Cell(row, 3), table.Cell(row, 0)).second);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto site = static_cast<parsers::Site>(data[0] & 3);
  const std::string_view rest = fuzz::bytesOf(data + 1, size - 1);
  const std::u16string page = (data[0] & 4) != 0 ? fuzz::wideOf(rest) : text::cp1252ToUtf16(rest);
  checkCut(page);
  checkRows(site, page);
  return 0;
}
