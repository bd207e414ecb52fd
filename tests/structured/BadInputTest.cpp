// Hostile and oversized pages end in a skipped block or a clear message, quickly and without
// a crash (the sanitizer build runs these too).

#include "StructuredTestSupport.h"
#include "structured/Extraction.h"
#include "structured/NodeGraph.h"
#include "structured/PageDataFormat.h"
#include "structured/StructuredDataError.h"

#include <gtest/gtest.h>

namespace quillon::structured {
namespace {

using testing::jsonLdPage;

std::string business(int i) {
  const std::string n = std::to_string(i);
  return R"({"@type": "Store", "name": "Tienda )" + n + R"(", "telephone": "+34 91 )" + n +
         R"(", "address": {"streetAddress": "Calle )" + n + R"("}})";
}

TEST(BadInput, TenMegabyteBlockIsRead) {
  std::string description(10 * 1024 * 1024, 'x');
  const Extraction e = extractListings(jsonLdPage({R"({"@type": "Store", "name": "Grande",
      "telephone": "1", "description": ")" + description +
                                                   "\"}"}));
  EXPECT_EQ(testing::namesOf(e), std::vector<std::string>{"Grande"});
}

TEST(BadInput, HundredThousandLevelsAreSkipped) {
  const std::string arrays = std::string(100'000, '[') + std::string(100'000, ']');
  std::string objects;
  for (int i = 0; i < 100'000; ++i) objects += "{\"a\":";
  objects += "1" + std::string(100'000, '}');
  const Extraction e =
      extractListings(jsonLdPage({arrays, objects, business(1), std::string(100'000, '{')}));
  EXPECT_EQ(testing::namesOf(e), std::vector<std::string>{"Tienda 1"});
  ASSERT_EQ(e.warnings.size(), 3u);
  for (const std::string& warning : e.warnings) {
    EXPECT_NE(warning.find("nests deeper than"), std::string::npos) << warning;
  }
  // The page data format has no depth bound of its own; its reader must not recurse either.
  EXPECT_THROW(decodePageData(R"({"url": "", "x": )" + arrays + "}"), StructuredDataError);
}

TEST(BadInput, IdCyclesAndSelfReferencesEnd) {
  std::string graph = R"({"@graph": [)";
  for (int i = 0; i < 1000; ++i) {
    const std::string self = "#n" + std::to_string(i);
    const std::string next = "#n" + std::to_string((i + 1) % 1000);
    graph += R"({"@type": "Store", "@id": ")" + self + R"(", "name": "N", "address": {"@id": ")" +
             next + R"("}, "sameAs": {"@id": ")" + self + R"("}},)";
  }
  graph += R"({"@type": "ItemList", "itemListElement": [{"@id": "#n1"}, {"@id": "#n1"}]}]})";
  const Extraction e = extractListings(jsonLdPage({graph}));
  EXPECT_TRUE(e.listings.empty());  // every node is the address of another
  EXPECT_TRUE(e.warnings.empty());
}

TEST(BadInput, ThousandsOfListingsOnOnePage) {
  std::string list = "[";
  for (int i = 0; i < 5000; ++i) list += business(i) + (i + 1 < 5000 ? "," : "]");
  const Extraction e = extractListings(jsonLdPage({list}));
  ASSERT_EQ(e.listings.size(), 5000u);
  EXPECT_EQ(e.listings[4999][Column::Street], "Calle 4999");
}

TEST(BadInput, NodeCountIsBounded) {
  std::string many = "[";
  for (std::size_t i = 0; i <= NodeGraph::kMaxNodes; ++i) many += "{},";
  many += business(1) + "]";
  const Extraction e = extractListings(jsonLdPage({many, business(2)}));
  EXPECT_EQ(testing::namesOf(e), std::vector<std::string>{"Tienda 2"});
  ASSERT_EQ(e.warnings.size(), 1u);
  EXPECT_NE(e.warnings[0].find("more than 200000 nodes"), std::string::npos) << e.warnings[0];
}

TEST(BadInput, DeepMicrodataAndItemrefWebsStayBounded) {
  PageData page = jsonLdPage({});
  page.microdata.push_back({-1, "div", true, "https://schema.org/Store", "", "", "", ""});
  for (int i = 1; i < 100'000; ++i) {
    page.microdata.push_back({i - 1, "div", true, "https://schema.org/Store", "part", "", "", ""});
  }
  EXPECT_TRUE(extractListings(page).warnings.empty());

  // 1,500 items that each name the same 1,500 elements by itemref: more work than the bound
  PageData web = jsonLdPage({});
  for (int i = 0; i < 1500; ++i) {
    web.microdata.push_back({-1, "p", false, "", "telephone", "", "t" + std::to_string(i), "1"});
  }
  std::string refs;
  for (int i = 0; i < 1500; ++i) refs += "t" + std::to_string(i) + " ";
  for (int i = 0; i < 1500; ++i) {
    web.microdata.push_back({-1, "div", true, "https://schema.org/Store", "", refs, "", ""});
  }
  const Extraction e = extractListings(web);
  ASSERT_EQ(e.warnings.size(), 1u);
  EXPECT_NE(e.warnings[0].find("too large to read in full"), std::string::npos);
}

}  // namespace
}  // namespace quillon::structured
