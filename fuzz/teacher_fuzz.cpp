// The teacher and its choices of containers and field selectors on page trees made from the
// input: elements of a few tags, classes and attributes (data-*, tel:, mailto:, web and
// directory links) with texts of any bytes, and examples taken from those texts. Everything
// ends quickly and raises nothing; every container choice finds two listings or more and no
// container inside another; a field's candidate selectors find its element first with at most
// one position; a taught profile reads what it says it reads, keeps no value of another kind,
// and survives its own file.

#include "FuzzSupport.h"
#include "profiles/ContainerChoice.h"
#include "profiles/FieldSelectorChoice.h"
#include "profiles/ProfileFile.h"
#include "profiles/Teacher.h"

#include <array>
#include <string>

namespace {

using namespace quillon::profiles;

constexpr std::array<const char*, 9> kTags = {"div",  "li", "article", "h3", "a",
                                              "span", "p",  "button",  "ul"};
constexpr std::array<const char*, 6> kClasses = {"card", "name",       "tel",
                                                 "addr", "css-1x2y3z", "promo"};
constexpr std::array<const char*, 6> kLanguages = {"", "fr", "es-MX", "en-AU", "it", "de"};
constexpr std::array<const char*, 6> kLinks = {"tel:",    "mailto:", "https://casa.example/",
                                               "/ficha/", "#mapa",   "javascript:go()"};
constexpr std::size_t kMaxElements = 160;

PageTree treeOf(quillon::fuzz::ByteReader& reader) {
  PageTree tree;
  tree.url = "https://www.guia.example/madrid";
  tree.language = kLanguages[reader.below(kLanguages.size())];
  tree.elements.push_back({-1, "html", "", {}, {}, "", false, {}, 0});
  while (!reader.empty() && tree.elements.size() < kMaxElements) {
    TreeElement element;
    element.parent = static_cast<int>(reader.below(tree.elements.size()));
    const std::uint8_t shape = reader.byte();
    element.tag = kTags[shape % kTags.size()];
    if ((shape & 0x10) != 0) element.classes.push_back(kClasses[reader.below(kClasses.size())]);
    if ((shape & 0x20) != 0) element.attributes.emplace_back("data-pos", "1");
    if ((shape & 0x40) != 0) {
      element.attributes.emplace_back(
          "href", std::string(kLinks[reader.below(kLinks.size())]).append(reader.text(16)));
    }
    element.hidden = (shape & 0x80) != 0 && (reader.byte() & 1) != 0;
    element.text = element.hidden ? "" : std::string(reader.text(48));
    tree.elements.push_back(std::move(element));
  }
  // Through the collect format: texts become UTF-8, children and depths are filled.
  return decodePageTree(encodePageTree(tree));
}

void checkContainers(const TreeKinds& kinds, int inner) {
  for (const ContainerChoice& choice : rankContainers(kinds, inner, {}, {})) {
    FUZZ_CHECK(choice.listings.size() >= 2);
    FUZZ_CHECK(choice.listings.size() <= choice.containers.size());
    FUZZ_CHECK(!scoreContainers(kinds, choice.selector, {}).nested);
  }
}

void checkFieldSelectors(const PageTree& tree, int container, int element) {
  for (const RankedSelector& each : fieldSelectors(tree, container, element)) {
    FUZZ_CHECK(selectFirst(tree, each.selector, container) == element);
    int positions = 0;
    for (const SelectorStep& step : each.selector.steps) positions += step.nthOfType > 0 ? 1 : 0;
    FUZZ_CHECK(positions <= 1);
  }
}

void checkTaught(const PageTree& tree, TeachResult result) {
  FUZZ_CHECK(static_cast<std::size_t>(result.listingCount) == result.rows.size());
  const TreeKinds kinds(tree);
  for (const quillon::structured::Listing& row : result.rows) {
    FUZZ_CHECK(!row[Column::Name].empty());
    for (std::size_t i = 0; i < kColumnCount; ++i) {
      const auto& rule = result.profile.fields[i];
      if (rule && rule->checkKind && !row.columns[i].empty()) {
        FUZZ_CHECK(fitsColumn(columnAt(i), row.columns[i], kinds.page()));
      }
    }
  }
  for (const auto& count : result.counts) {
    FUZZ_CHECK(!count || count->filled <= result.listingCount);
  }
  FUZZ_CHECK(readTaughtListings(tree, result.profile) == result.rows);
  result.profile.name = "fuzz";
  FUZZ_CHECK(parseProfile(profileJson(result.profile), "fuzz.json") == result.profile);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillon::fuzz::ByteReader reader(quillon::fuzz::bytesOf(data, size));
  const std::size_t picks = reader.byte();
  const PageTree tree = treeOf(reader);
  if (tree.elements.size() < 2) return 0;
  const TreeKinds kinds(tree);
  const auto element = [&](std::size_t k) {
    return static_cast<int>(1 + (picks * 7 + k * 13) % (tree.elements.size() - 1));
  };
  checkContainers(kinds, element(0));
  for (int up = tree.elements[static_cast<std::size_t>(element(1))].parent; up >= 0;
       up = tree.elements[static_cast<std::size_t>(up)].parent) {
    checkFieldSelectors(tree, up, element(1));
  }

  TeachExamples examples;
  examples[Column::Name] = tree.elements[static_cast<std::size_t>(element(2))].text;
  const std::array<Column, 4> others = {Column::Telephone, Column::Street, Column::Url,
                                        Column::Locality};
  for (std::size_t k = 0; k < others.size(); ++k) {
    if (((picks >> k) & 1) != 0) {
      examples[others[k]] = tree.elements[static_cast<std::size_t>(element(3 + k))].text;
    }
  }
  const TeachResult result = teachProfile(tree, examples);
  if (result.ok) checkTaught(tree, result);
  return 0;
}
