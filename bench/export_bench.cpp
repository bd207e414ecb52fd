// Writing the results table to a file, format by extension, through the same path as
// Save (temporary file beside the target, then rename).
// Target: 100,000 rows to .xlsx in at most 3 s (BM_Export/xlsx/100000).

#include "SyntheticListings.h"
#include "results/ResultsTable.h"
#include "results/SpreadsheetExport.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace {

using namespace quillon;

// One table per size, built once: rows of ten cells, the tenth an e-mail address.
const results::ResultsTable& tableOf(std::size_t rows) {
  static std::map<std::size_t, std::unique_ptr<results::ResultsTable>> tables;
  auto& table = tables[rows];
  if (!table) {
    table = std::make_unique<results::ResultsTable>(results::NameCollator("es_ES"));
    for (const auto& listing : bench::syntheticListings(rows, 0.0)) {
      auto subItems = listing.subItems;
      subItems.push_back("info@" + subItems[7].substr(4));
      table->AddRow(listing.name, std::move(subItems));
    }
  }
  return *table;
}

void exportTo(benchmark::State& state, const char* extension) {
  const auto& table = tableOf(static_cast<std::size_t>(state.range(0)));
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "quillon-export-bench";
  std::filesystem::create_directories(folder);
  const std::string path = (folder / (std::string("table.") + extension)).string();
  for (auto _ : state) results::ExportToSpreadsheet(table, path);
  state.counters["rows"] = table.Count();
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  std::filesystem::remove_all(folder);
}

void BM_ExportXlsx(benchmark::State& state) { exportTo(state, "xlsx"); }
void BM_ExportXls(benchmark::State& state) { exportTo(state, "xls"); }
void BM_ExportCsv(benchmark::State& state) { exportTo(state, "csv"); }
void BM_ExportJson(benchmark::State& state) { exportTo(state, "json"); }

BENCHMARK(BM_ExportXlsx)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportXls)->Arg(10000)->Arg(65536)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCsv)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportJson)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
