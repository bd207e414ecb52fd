// The results table under capture load: each listing is checked with IsAlreadyIn and,
// when new, added with AddRow, which keeps the order by name.
//
// Targets: 100,000 listings with 20% duplicates in at most 1 s; time growing no faster
// than about n^1.1 from 10,000 to 100,000 listings (counter "exponent" of
// BM_GrowthFrom10kTo100k); and at 20,000 rows at least 100 times faster than the literal
// algorithm, a scan of all rows for the duplicate rule and a full re-sort per added row
// (counter "speedup" of BM_SideBySideAt20000Rows). The literal baseline is even given
// precomputed collation keys, which only flatters it.

#include "SyntheticListings.h"
#include "results/ResultsTable.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <ctime>
#include <memory>

namespace {

using namespace quillon;
using bench::Listing;

// CPU time of this thread: the machine may be busy with other work, which a wall clock
// would count against the table.
double threadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

results::NameCollator spanish() { return results::NameCollator("es_ES"); }

void addAll(results::ResultsTable& table, const std::vector<Listing>& listings, std::size_t from,
            std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    const Listing& listing = listings[i];
    if (!table.IsAlreadyIn(listing.phone, listing.name))
      table.AddRow(listing.name, listing.subItems);
  }
}

double secondsToAdd(const std::vector<Listing>& listings) {
  auto table = std::make_unique<results::ResultsTable>(spanish());
  const double start = threadSeconds();
  addAll(*table, listings, 0, listings.size());
  return threadSeconds() - start;
}

void BM_AddListings(benchmark::State& state) {
  const auto listings = bench::syntheticListings(static_cast<std::size_t>(state.range(0)), 0.2);
  int rows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto table = std::make_unique<results::ResultsTable>(spanish());
    state.ResumeTiming();
    addAll(*table, listings, 0, listings.size());
    state.PauseTiming();
    rows = table->Count();
    table.reset();
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
  state.counters["listings/s"] = benchmark::Counter(static_cast<double>(listings.size()),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_AddListings)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(50000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// The growth exponent log(t(100k) / t(10k)) / log(10), best of five runs each, in CPU
// time of the thread.
void BM_GrowthFrom10kTo100k(benchmark::State& state) {
  const auto small = bench::syntheticListings(10000, 0.2);
  const auto large = bench::syntheticListings(100000, 0.2);
  double exponent = 0;
  double largeSeconds = 0;
  for (auto _ : state) {
    double smallBest = 1e9;
    double largeBest = 1e9;
    for (int run = 0; run < 5; ++run) {
      smallBest = std::min(smallBest, secondsToAdd(small));
      largeBest = std::min(largeBest, secondsToAdd(large));
    }
    exponent = std::log(largeBest / smallBest) / std::log(10.0);
    largeSeconds = largeBest;
  }
  state.counters["exponent"] = exponent;
  state.counters["s_at_100k"] = largeSeconds;
}
BENCHMARK(BM_GrowthFrom10kTo100k)->Iterations(1)->Unit(benchmark::kMillisecond);

// The algorithm as first written: a plain list, a scan per duplicate check, and the
// whole list sorted by name after every added row.
class LiteralTable {
 public:
  explicit LiteralTable(const results::NameCollator& collator) : m_collator(collator) {}
  int Count() const { return static_cast<int>(m_rows.size()); }
  bool IsAlreadyIn(const std::string& phone, const std::string& name) const {
    if (phone.empty()) return false;
    return std::any_of(m_rows.begin(), m_rows.end(), [&](const Row& row) {
      return row.subItems.size() > 2 && row.subItems[2] == phone && row.name == name;
    });
  }
  void AddRow(const std::string& name, std::vector<std::string> subItems) {
    append(name, std::move(subItems));
    sortByName();
  }
  // Filling without the per-row sort, to reach a size quickly.
  void append(const std::string& name, std::vector<std::string> subItems) {
    m_rows.push_back({name, std::move(subItems), m_collator.sortKey(name)});
  }
  void sortByName() {
    std::sort(m_rows.begin(), m_rows.end(),
              [](const Row& a, const Row& b) { return a.key < b.key; });
  }

 private:
  struct Row {
    std::string name;
    std::vector<std::string> subItems;
    std::string key;
  };
  const results::NameCollator& m_collator;
  std::vector<Row> m_rows;
};

// Both tables filled to 20,000 rows, then timed per listing on the listings that follow.
void BM_SideBySideAt20000Rows(benchmark::State& state) {
  constexpr int kRows = 20000;
  constexpr std::size_t kLiteralListings = 100;
  constexpr std::size_t kFastListings = 5000;
  const auto listings = bench::syntheticListings(60000, 0.2);
  const results::NameCollator collator = spanish();
  double literalPerListing = 0;
  double fastPerListing = 0;
  for (auto _ : state) {
    LiteralTable literal(collator);
    results::ResultsTable fast(spanish());
    std::size_t next = 0;
    while (fast.Count() < kRows) {
      const Listing& listing = listings[next++];
      if (!fast.IsAlreadyIn(listing.phone, listing.name)) {
        fast.AddRow(listing.name, listing.subItems);
        literal.append(listing.name, listing.subItems);
      }
    }
    literal.sortByName();
    double start = threadSeconds();
    for (std::size_t i = next; i < next + kLiteralListings; ++i) {
      if (!literal.IsAlreadyIn(listings[i].phone, listings[i].name)) {
        literal.AddRow(listings[i].name, listings[i].subItems);
      }
    }
    literalPerListing = (threadSeconds() - start) / kLiteralListings;

    start = threadSeconds();
    addAll(fast, listings, next, next + kFastListings);
    fastPerListing = (threadSeconds() - start) / kFastListings;
  }
  state.counters["literal_us"] = literalPerListing * 1e6;
  state.counters["fast_us"] = fastPerListing * 1e6;
  state.counters["speedup"] = literalPerListing / fastPerListing;
}
BENCHMARK(BM_SideBySideAt20000Rows)->Iterations(1)->Unit(benchmark::kMillisecond);

// A header click on 100,000 rows, then the next name that brings the order by name back.
void BM_HeaderSortThenName(benchmark::State& state) {
  const auto listings = bench::syntheticListings(125000, 0.2);
  results::ResultsTable table(spanish());
  addAll(table, listings, 0, listings.size());
  int column = 3;
  for (auto _ : state) {
    table.SortByColumn(column);
    table.SetCell(0, 0, table.Cell(0, 0) + "x");
    column = column == 3 ? 6 : 3;
  }
  state.counters["rows"] = table.Count();
}
BENCHMARK(BM_HeaderSortThenName)->Unit(benchmark::kMillisecond);

}  // namespace
