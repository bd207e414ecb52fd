// The schema.org reader on a 200-listing result page, once per page of an automatic capture:
// the page data that the collect script returns is decoded and its rows extracted (with the
// next-page link and the page signature). Target: at most 20 ms a page, JSON-LD or microdata.
// Also the reading of a fetched page of the same size (summary pages' detail pages are
// single listings, far smaller).
#include "SyntheticStructuredPages.h"
#include "structured/Extraction.h"
#include "structured/HtmlPageReader.h"
#include "structured/NextPage.h"
#include "structured/PageDataFormat.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace quillon;

using bench::jsonLdPage;
using bench::kListings;
using bench::kPageUrl;
using bench::microdataPage;

// What one page of an automatic capture costs the core once the browser has answered.
void pageStep(benchmark::State& state, const std::string& html) {
  const std::string collected =
      structured::encodePageData(structured::readHtmlPage(html, kPageUrl));
  std::size_t rows = 0;
  for (auto _ : state) {
    const structured::PageData page = structured::decodePageData(collected);
    const structured::Extraction extraction = structured::extractListings(page);
    benchmark::DoNotOptimize(structured::findNextPage(page, {}));
    benchmark::DoNotOptimize(structured::pageSignature(extraction));
    rows = extraction.listings.size();
  }
  if (rows != kListings) state.SkipWithError("the page did not give every listing");
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["data_kB"] = static_cast<double>(collected.size()) / 1024;
}

void BM_PageStepJsonLd(benchmark::State& state) { pageStep(state, jsonLdPage()); }
void BM_PageStepMicrodata(benchmark::State& state) { pageStep(state, microdataPage()); }

void BM_ReadFetchedPage(benchmark::State& state) {
  const std::string html = state.range(0) == 0 ? jsonLdPage() : microdataPage();
  for (auto _ : state) benchmark::DoNotOptimize(structured::readHtmlPage(html, kPageUrl));
  state.counters["html_kB"] = static_cast<double>(html.size()) / 1024;
}

BENCHMARK(BM_PageStepJsonLd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageStepMicrodata)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFetchedPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
