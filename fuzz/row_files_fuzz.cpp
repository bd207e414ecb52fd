// The readers of files that a user hands to merge and capture, on any bytes: a .csv or .json
// file of rows, and a list of searches or values. They refuse with their own error and never
// crash. A .csv that reads is written again by the writer and reads back to the same rows
// (the formula guard comes off exactly where the writer puts it); a list that reads gives
// http(s) addresses, and its shards split it into disjoint parts.

#include "FuzzSupport.h"
#include "batch/BatchError.h"
#include "batch/ListText.h"
#include "batch/SearchList.h"
#include "batch/Shard.h"
#include "results/CsvWriter.h"
#include "results/ResultsError.h"
#include "results/RowFileReader.h"
#include "text/Utf8.h"
#include "url/UrlParts.h"

#include <algorithm>
#include <sstream>

namespace {

using namespace quillon;

void csvReadsBackAsWritten(std::string_view bytes) {
  std::vector<results::RowTexts> rows;
  try {
    rows = results::csvRows(bytes);
  } catch (const results::RowFileError&) {
    return;
  }
  std::ostringstream out;
  results::CsvWriter writer(out);
  writer.begin(rows.size());
  for (const auto& row : rows) {
    results::RowCells cells;
    for (std::size_t i = 0; i < row.size(); ++i) cells[i] = row[i];
    writer.writeRow(cells);
  }
  writer.finish();
  // The writer keeps UTF-8 only; a cell of other bytes comes back with U+FFFD.
  if (std::all_of(rows.begin(), rows.end(), [](const auto& row) {
        return std::all_of(row.begin(), row.end(),
                           [](const std::string& cell) { return text::isValidUtf8(cell); });
      })) {
    FUZZ_CHECK(results::csvRows(out.str()) == rows);
  }
}

void listsGiveWebAddresses(std::string_view bytes) {
  const batch::ListText list = batch::readListText(bytes);
  try {
    const std::vector<std::string> addresses = batch::searchesFromList(list, "list");
    for (const std::string& address : addresses) {
      FUZZ_CHECK(url::parseUrl(address).has_value());
    }
    const int count = 1 + static_cast<int>(bytes.size() % 5);
    std::size_t taken = 0;
    for (int index = 1; index <= count; ++index) {
      taken += batch::searchesOfShard(addresses, batch::Shard{index, count}).size();
    }
    FUZZ_CHECK(taken == addresses.size());
  } catch (const batch::BatchError&) {
  }
  try {
    for (const std::string& address :
         batch::searchesFromTemplate("https://d.example/?q={}", list, "v")) {
      FUZZ_CHECK(address.find_first_of(" \t\r\n") == std::string::npos);
    }
  } catch (const batch::BatchError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::bytesOf(data, size);
  csvReadsBackAsWritten(bytes);
  try {
    results::jsonRows(bytes);
  } catch (const results::RowFileError&) {
  }
  listsGiveWebAddresses(bytes);
  try {
    batch::parseShard(bytes);
  } catch (const batch::BatchError&) {
  }
  return 0;
}
