// What reading a page's schema.org listings costs an automatic capture in the browser: the
// collect script's evaluation (JSON-LD blocks and microdata gathered in the page) and the
// core's decoding and extraction, on a 200-listing result page loaded once in an offscreen
// Qt WebEngine page. Beside it, the document snapshot's evaluation that every page pays.
// Target: collect and extraction add at most 20 ms to a page beyond the snapshot. The page
// tree that card detection reads ("--site auto" collects it on every page) is collected on
// the same page, alone and with the detection, to be held against those figures.
#include "SyntheticStructuredPages.h"
#include "profiles/CardDetection.h"
#include "profiles/PageTree.h"
#include "structured/Extraction.h"
#include "structured/NextPage.h"
#include "structured/PageDataFormat.h"
#include "webengine/BrowserEnvironment.h"
#include "webengine/WebEngineBrowser.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QUrl>

#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>
#include <string>

namespace {

using namespace quillon;

std::unique_ptr<webengine::WebEngineBrowser> g_jsonLd;
std::unique_ptr<webengine::WebEngineBrowser> g_microdata;

void collectAndExtract(benchmark::State& state, webengine::WebEngineBrowser& browser) {
  std::size_t rows = 0;
  for (auto _ : state) {
    const structured::PageData page = structured::decodePageData(browser.PageData());
    const structured::Extraction extraction = structured::extractListings(page);
    benchmark::DoNotOptimize(structured::findNextPage(page, {}));
    benchmark::DoNotOptimize(structured::pageSignature(extraction));
    rows = extraction.listings.size();
  }
  if (rows != bench::kListings) state.SkipWithError("the page did not give every listing");
}

void BM_CollectAndExtractJsonLd(benchmark::State& state) { collectAndExtract(state, *g_jsonLd); }
void BM_CollectAndExtractMicrodata(benchmark::State& state) {
  collectAndExtract(state, *g_microdata);
}
void BM_SnapshotForComparison(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(g_microdata->Document());
}

void BM_CollectPageTree(benchmark::State& state) {
  std::size_t elements = 0;
  for (auto _ : state) elements = profiles::decodePageTree(g_microdata->PageTree()).elements.size();
  state.counters["elements"] = static_cast<double>(elements);
}
void BM_CollectPageTreeAndDetect(benchmark::State& state) {
  int cards = 0;
  for (auto _ : state) {
    cards = profiles::detectProfile(profiles::decodePageTree(g_microdata->PageTree())).listingCount;
  }
  if (cards != bench::kListings) state.SkipWithError("detection did not find every card");
}

BENCHMARK(BM_CollectPageTree)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CollectPageTreeAndDetect)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CollectAndExtractJsonLd)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CollectAndExtractMicrodata)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SnapshotForComparison)->Unit(benchmark::kMillisecond)->MinTime(2.0);

std::unique_ptr<webengine::WebEngineBrowser> loaded(const QTemporaryDir& dir, const char* name,
                                                    const std::string& html) {
  const QString path = dir.filePath(QString::fromLatin1(name));
  std::ofstream(path.toStdString(), std::ios::binary) << html;
  auto browser = std::make_unique<webengine::WebEngineBrowser>();
  browser->Navigate(QUrl::fromLocalFile(path).toString().toStdU16String());
  if (!browser->waitUntilComplete(std::chrono::seconds(60))) return nullptr;
  return browser;
}

}  // namespace

int main(int argc, char** argv) {
  quillon::webengine::prepareBrowserEnvironment(quillon::webengine::Display::Offscreen);
  QGuiApplication app(argc, argv);

  const QTemporaryDir dir;
  g_jsonLd = loaded(dir, "jsonld.html", quillon::bench::jsonLdPage());
  g_microdata = loaded(dir, "microdata.html", quillon::bench::microdataPage());
  if (!g_jsonLd || !g_microdata) return 1;

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  g_jsonLd.reset();
  g_microdata.reset();
  return 0;
}
