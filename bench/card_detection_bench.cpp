// Card detection in the core over page trees as the browser collects them: a 200-card result
// page (the target: at most 50 ms), and the hostile pages it must still answer on — 20,000
// elements, cards under 3,000 levels of markup, cards of 500 links each, a page of
// advertisements only. Each iteration detects afresh (the kinds of the page's texts are judged
// anew, as on a new page).
#include "profiles/CardDetection.h"
#include "profiles/SyntheticCardPages.h"  // tests/profiles

#include <benchmark/benchmark.h>

namespace {

using namespace quillon;
using profiles::testing::CardPageShape;

void detect(benchmark::State& state, CardPageShape shape, bool found) {
  const profiles::PageTree tree = profiles::testing::cardPage(shape);
  int cards = 0;
  for (auto _ : state) {
    const profiles::TeachResult result = profiles::detectProfile(tree);
    cards = result.listingCount;
    benchmark::DoNotOptimize(result.rows.size());
  }
  state.counters["elements"] = static_cast<double>(tree.elements.size());
  state.counters["cards"] = cards;
  if ((cards > 0) != found) state.SkipWithError("detection gave another answer");
}

void BM_Detect200CardPage(benchmark::State& state) {
  detect(state, {.cards = 200, .filler = 60}, true);
}
void BM_Detect20000Elements(benchmark::State& state) {
  detect(state, {.cards = 2500, .filler = 2000}, true);
}
void BM_DetectDeeplyNested(benchmark::State& state) {
  detect(state, {.cards = 200, .nesting = 3000}, true);
}
void BM_DetectCardsOf500Links(benchmark::State& state) {
  detect(state, {.cards = 40, .links = 500}, true);
}
void BM_DetectAdsOnly(benchmark::State& state) {
  detect(state, {.cards = 200, .adsOnly = true}, false);
}

BENCHMARK(BM_Detect200CardPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect20000Elements)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectDeeplyNested)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectCardsOf500Links)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectAdsOnly)->Unit(benchmark::kMillisecond);

}  // namespace
