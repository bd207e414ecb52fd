// Card detection over page trees built from the input: every three bytes add an element (its
// parent a few elements back, a tag, classes, an attribute and a text from lists of what
// result pages hold, or a slice of the input as text), so that repeating cards, boxes, ads and
// odd nesting are all within reach. Whatever the tree, detection answers: no listings, or a
// profile in the file format whose selectors read back, with at least two cards, named rows
// and counts within the cards.

#include "FuzzSupport.h"
#include "profiles/CardDetection.h"
#include "profiles/ProfileError.h"
#include "profiles/ProfileFile.h"
#include "profiles/SimpleSelector.h"
#include "text/Ascii.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

using namespace quillon;

constexpr std::array<const char*, 14> kTags = {"div", "li",    "article", "h2",     "h3",
                                               "a",   "span",  "p",       "ul",     "button",
                                               "nav", "aside", "address", "section"};
constexpr std::array<const char*, 10> kClasses = {
    "card", "card card--sponsored", "listing", "tips", "css-1x9t8kq", "title", "phone",
    "",     "card card--featured",  "ad"};
constexpr std::array<const char*, 16> kTexts = {"",
                                                "Fontanería López",
                                                "Casa Pepe",
                                                "91 555 12 34",
                                                "Tel. 030 78954321",
                                                "Calle Mayor 5, 28013 Madrid",
                                                "12 Smith St, Bungalow QLD 4870",
                                                "info@casapepe.example",
                                                "www.casapepe.example",
                                                "Sponsored",
                                                "Handy tips",
                                                "Ver teléfono",
                                                "Load more results",
                                                "75012 Paris",
                                                "Restaurantes",
                                                "Next"};
constexpr std::array<const char*, 8> kHrefs = {"",
                                               "tel:+34915551234",
                                               "mailto:hola@casapepe.example",
                                               "https://www.casapepe.example/",
                                               "https://g.example/ficha/123",
                                               "javascript:void(0)",
                                               "#",
                                               "https://g.example/page2"};

profiles::PageTree treeOf(std::string_view bytes) {
  profiles::PageTree tree;
  tree.url = "https://g.example/buscar";
  tree.language = bytes.empty() || (bytes[0] & 1) ? "es-ES" : "";
  tree.elements.push_back({-1, "html", "", {}, {}, "", false, {}, 0});
  for (std::size_t at = 1; at + 2 < bytes.size(); at += 3) {
    const auto a = static_cast<unsigned char>(bytes[at]);
    const auto b = static_cast<unsigned char>(bytes[at + 1]);
    const auto c = static_cast<unsigned char>(bytes[at + 2]);
    profiles::TreeElement element;
    const int count = static_cast<int>(tree.elements.size());
    element.parent = std::max(0, count - 1 - (a % 8));
    element.tag = kTags[(a >> 3) % kTags.size()];
    for (const std::string_view word : text::asciiTokens(kClasses[b % kClasses.size()])) {
      element.classes.emplace_back(word);
    }
    if (element.tag == "a" || (b & 0x80)) {
      element.attributes.emplace_back("href", kHrefs[(b >> 4) % kHrefs.size()]);
    }
    if (c & 0x40) element.attributes.emplace_back("data-position", std::to_string(c));
    element.text =
        (c & 0x20) ? std::string(bytes.substr(at, c % 24)) : std::string(kTexts[c % kTexts.size()]);
    element.hidden = (c & 0x80) && (a & 1);
    tree.elements.push_back(std::move(element));
  }
  // Depth and children as the decoder fills them; a text that is no UTF-8 is refused there.
  return profiles::decodePageTree(profiles::encodePageTree(tree));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  profiles::PageTree tree;
  try {
    tree = treeOf(fuzz::bytesOf(data, size));
  } catch (const profiles::ProfileError&) {
    return 0;
  }
  const profiles::TeachResult result = profiles::detectProfile(tree);
  if (!result.ok) {
    FUZZ_CHECK(result.problem == profiles::kNoListingsFound);
    return 0;
  }
  FUZZ_CHECK(result.listingCount >= 2);
  FUZZ_CHECK(profiles::parseSimpleSelector(result.profile.listing).has_value());
  FUZZ_CHECK(result.profile[profiles::Column::Name].has_value());
  for (std::size_t i = 0; i < profiles::kColumnCount; ++i) {
    const auto& field = result.profile.fields[i];
    if (!field) continue;
    FUZZ_CHECK(profiles::parseSimpleSelector(field->selector).has_value());
    FUZZ_CHECK(result.counts[i] && result.counts[i]->filled <= result.listingCount);
  }
  for (const auto& row : result.rows) FUZZ_CHECK(!row[profiles::Column::Name].empty());
  // The profile is one a file holds.
  profiles::Profile named = result.profile;
  named.name = "detected";
  FUZZ_CHECK(profiles::parseProfile(profiles::profileJson(named), "fuzz") == named);
  return 0;
}
