// What the journal adds to a capture step: the page text of 40 Spanish listings cut into
// rows with addPageRows into a growing table, alone and with a journal attached that
// commits the page's rows and its record in one transaction. Each iteration reads a
// page of new listings, as a long run does, so the table grows to 20,000 rows.
// Target: the journal adds no more than a few percent to a step (compare the two).

#include "capture/PageRows.h"
#include "journal/Journal.h"
#include "results/ResultsTable.h"
#include "text/Utf8.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace quillon;

constexpr int kPages = 500;
constexpr int kListingsPerPage = 40;

// A Spanish page text as the walker builds it: "+-+" before each listing, CR LF ends.
std::u16string pageText(int page) {
  std::string utf8;
  for (int i = 0; i < kListingsPerPage; ++i) {
    const std::string n = std::to_string(page * 1000 + i);
    // Appended piece by piece: GCC 12 at -O3 warns falsely on literal + string.
    utf8.append(
            "+-+org: Fontaner\xC3\xAD"
            "a Hermanos ")
        .append(n);
    utf8.append("\r\nactiv: Fontaneros: Instalaciones y reparaciones urgentes\r\n");
    utf8.append("adr: Calle del Doctor Esquerdo ").append(n);
    utf8.append(", 28007 Madrid (Madrid)\r\npostal-code: 28007\r\nlocality: Madrid\r\n");
    utf8.append(
            "Tel\xC3\xA9"
            "fono: 91 ")
        .append(n);
    utf8.append("\r\nurl: www.fontaneria").append(n).append(".es\r\n");
  }
  return text::utf8ToUtf16(utf8);
}

const std::vector<std::u16string>& pages() {
  static const std::vector<std::u16string> texts = [] {
    std::vector<std::u16string> all;
    for (int page = 0; page < kPages; ++page) all.push_back(pageText(page));
    return all;
  }();
  return texts;
}

// A folder under the temporary folder for the journal, removed at the end.
struct ScratchFolder {
  std::string path = (std::filesystem::temp_directory_path() / "quillon-bench-XXXXXX").string();
  ScratchFolder() {
    if (::mkdtemp(path.data()) == nullptr) std::abort();
  }
  ~ScratchFolder() { std::filesystem::remove_all(path); }
};

void BM_CaptureStep(benchmark::State& state) {
  const bool journalled = state.range(0) != 0;
  const std::vector<std::u16string>& texts = pages();
  ScratchFolder folder;
  results::ResultsTable table(results::NameCollator("es_ES"));
  std::unique_ptr<journal::Journal> journal;
  if (journalled) {
    journal = std::make_unique<journal::Journal>(folder.path + "/bench.qjournal");
    journal->attach(table);
  }
  int page = 0;
  for (auto _ : state) {
    const std::u16string& text = texts[static_cast<std::size_t>(page)];
    ++page;
    if (journal) journal->beginPage();
    const int added = capture::addPageRows(parsers::Site::ES, text, table);
    if (journal) journal->commitPage({page, "https://example.test/page", "", ""});
    if (added != kListingsPerPage) state.SkipWithError("a page added too few rows");
  }
  if (journal) journal->detach();
  state.counters["rows"] = table.Count();
  state.counters["pages/s"] =
      benchmark::Counter(static_cast<double>(page), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CaptureStep)
    ->ArgName("journal")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(kPages)
    ->Repetitions(3)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
