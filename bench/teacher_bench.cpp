// The teacher's choices on a synthetic 200-card result page (~2,400 elements): cards of two
// layouts (paid ones with extra layers) between promotion boxes of the cards' class, a strip
// that repeats names, a header and a footer. BM_RankContainersByKinds is what card detection
// does to find the cards from one heading, by kinds alone; BM_TeachFromFirstListing the whole
// teacher with the first card's values, as quillon-cli teach and every edit in the window's
// teach panel run it.
#include "profiles/ContainerChoice.h"
#include "profiles/Teacher.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace quillon::profiles;

constexpr int kCards = 200;

class TreeBuilder {
 public:
  TreeBuilder() {
    m_tree.url = "https://www.localpages.example.com.au/find/plumbers/cairns-qld";
    m_tree.language = "en-AU";
    m_tree.elements.push_back({-1, "html", "", {}, {}, "", false, {}, 0});
  }
  int add(int parent, std::string tag, std::vector<std::string> classes, std::string text = {},
          std::vector<std::pair<std::string, std::string>> attributes = {}) {
    m_tree.elements.push_back({parent,
                               std::move(tag),
                               "",
                               std::move(classes),
                               std::move(attributes),
                               std::move(text),
                               false,
                               {},
                               0});
    return static_cast<int>(m_tree.elements.size()) - 1;
  }
  PageTree done() { return decodePageTree(encodePageTree(m_tree)); }

 private:
  PageTree m_tree;
};

std::string cardName(int card) { return "Plumbing Services Number " + std::to_string(card); }

PageTree syntheticPage() {
  TreeBuilder b;
  const int body = b.add(0, "body", {});
  b.add(b.add(body, "header", {"SiteHeader"}), "span", {"SiteHeader-help"},
        "Help line 1300 555 000");
  const int strip = b.add(body, "section", {"FeaturedStrip"});
  for (int i = 0; i < 2; ++i) {
    b.add(b.add(strip, "div", {"FeaturedStrip-item"}), "a", {"FeaturedStrip-name"}, cardName(i),
          {{"href", "https://www.localpages.example.com.au/profile/" + std::to_string(i)}});
  }
  const int list = b.add(body, "div", {"SearchResults-list"});
  for (int card = 0; card < kCards; ++card) {
    if (card % 10 == 5) {
      b.add(b.add(list, "div", {"Card", "PromoCard"}), "p", {}, "Advertise with Local Pages");
    }
    const bool paid = card % 4 == 1;
    const int root = b.add(list, "div", {"Card", "css-9x8y7z"}, {},
                           {{"data-cardposition", std::to_string(card + 1)}});
    const int inner = b.add(root, "div", {"ListingCard-body"});
    if (paid) b.add(b.add(inner, "div", {"ListingCard-logo"}), "img", {});
    const int main = b.add(inner, "div", {"ListingCard-main"});
    if (paid) b.add(b.add(main, "div", {"ListingCard-badges"}), "span", {"Badge"}, "Verified");
    b.add(b.add(main, "h3", {"ListingName"}), "a", {}, cardName(card),
          {{"href", "https://www.localpages.example.com.au/profile/" + std::to_string(card)}});
    b.add(main, "p", {"ListingCategory"}, "Plumbers & Gas Fitters");
    b.add(main, "p", {"ListingAddress"},
          std::to_string(card + 1) + " Sheridan St, Cairns City QLD 4870");
    const int actions = b.add(inner, "div", {"ListingCard-actions"});
    const int phoneBox = paid ? b.add(actions, "div", {"ListingCard-primary"}) : actions;
    const std::string digits = std::to_string(420000000 + card * 7919);
    b.add(phoneBox, "a", {"Button", "ButtonPhone"}, "0" + digits, {{"href", "tel:0" + digits}});
    if (card % 3 != 2) {
      b.add(actions, "a", {"Button", "ButtonWebsite"}, "Website",
            {{"href", "https://plumbing" + std::to_string(card) + ".example.com.au/"}});
    }
    b.add(actions, "a", {"Button", "ButtonQuote"}, "Get a quote",
          {{"href", "https://www.localpages.example.com.au/quote/" + std::to_string(card)}});
  }
  b.add(body, "footer", {"SiteFooter"}, "Every business on this page is invented.");
  return b.done();
}

void BM_RankContainersByKinds(benchmark::State& state) {
  const PageTree tree = syntheticPage();
  int heading = -1;
  for (std::size_t i = 0; i < tree.elements.size() && heading < 0; ++i) {
    if (tree.elements[i].hasClass("ListingName")) heading = static_cast<int>(i);
  }
  for (auto _ : state) {
    const TreeKinds kinds(tree);  // a fresh page: no kinds known yet
    const auto ranked = rankContainers(kinds, heading, {}, {});
    if (ranked.empty() || ranked.front().listings.size() != kCards) {
      state.SkipWithError("the cards were not found");
      break;
    }
    benchmark::DoNotOptimize(ranked);
  }
  state.counters["elements"] = static_cast<double>(tree.elements.size());
}
BENCHMARK(BM_RankContainersByKinds)->Unit(benchmark::kMillisecond);

void BM_TeachFromFirstListing(benchmark::State& state) {
  const PageTree tree = syntheticPage();
  TeachExamples examples;
  examples[Column::Name] = cardName(0);
  examples[Column::Activity] = "Plumbers & Gas Fitters";
  examples[Column::Telephone] = "0420000000";
  examples[Column::Street] = "1 Sheridan St";
  examples[Column::PostalCode] = "4870";
  examples[Column::Locality] = "Cairns City";
  examples[Column::Region] = "QLD";
  examples[Column::Url] = "plumbing0.example.com.au";
  for (auto _ : state) {
    const TeachResult result = teachProfile(tree, examples);
    if (!result.ok || result.listingCount != kCards) {
      state.SkipWithError(result.ok ? "not every card was read" : result.problem.c_str());
      break;
    }
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_TeachFromFirstListing)->Unit(benchmark::kMillisecond);

}  // namespace
