#include "structured/PageDataFormat.h"
#include "structured/StructuredDataError.h"

#include <gtest/gtest.h>

namespace quillon::structured {
namespace {

TEST(PageDataFormat, DecodesWhatItEncodes) {
  PageData page;
  page.url = "https://guia.example/p1";
  page.jsonLd = {"{\"@type\": \"Store\"}", "<!-- \u00e9 \"quoted\" -->"};
  page.microdata = {{-1, "div", true, "https://schema.org/Store", "", "extra", "s", ""},
                    {0, "span", false, "", "name", "", "", "Tienda \U0001F600"}};
  page.links = {{"a", "next", "https://guia.example/p2", "Siguiente ›", "Next", "Página 2"}};
  EXPECT_EQ(decodePageData(encodePageData(page)), page);
}

TEST(PageDataFormat, ReadsTheScriptsFormatAndIgnoresOtherMembers) {
  const PageData page = decodePageData(R"({"url": "u", "jsonLd": [], "extra": [1],
    "microdata": [{"parent": -1, "tag": "div", "itemscope": true, "itemtype": "t",
                   "itemprop": "", "itemref": "", "id": "", "value": "", "more": 0},
                  {"parent": 0, "tag": "meta", "itemscope": false, "itemtype": "",
                   "itemprop": "name", "itemref": "", "id": "", "value": "v"}],
    "links": []})");
  ASSERT_EQ(page.microdata.size(), 2u);
  EXPECT_EQ(page.microdata[1].parent, 0);
  EXPECT_EQ(page.microdata[1].value, "v");
}

TEST(PageDataFormat, RefusesOtherTextsWithAReason) {
  const std::string element =
      R"("tag": "p", "itemscope": false, "itemtype": "", "itemprop": "", "itemref": "",
         "id": "", "value": "")";
  const std::pair<std::string, std::string> cases[] = {
      {"", "not JSON"},
      {"[]", "not a JSON object"},
      {R"({"jsonLd": [], "microdata": [], "links": []})", "has no \"url\""},
      {R"({"url": 1, "jsonLd": [], "microdata": [], "links": []})",
       "\"url\" of the page is a number"},
      {R"({"url": "", "jsonLd": [2], "microdata": [], "links": []})", "block 1 is not a text"},
      {R"({"url": "", "jsonLd": [], "microdata": [{"parent": 0, )" + element + "}], \"links\": []}",
       "parent of microdata element 0 is not before it"},
      {R"({"url": "", "jsonLd": [], "microdata": [{"parent": -2, )" + element +
           "}], \"links\": []}",
       "not before it"},
      {R"({"url": "", "jsonLd": [], "microdata": [{"parent": 1.5, )" + element +
           "}], \"links\": []}",
       "is a number"},
      {R"({"url": "", "jsonLd": [], "microdata": [], "links": [{"tag": "a"}]})",
       "link 0 has no \"rel\""},
      {R"({"url": "", "jsonLd": [], "microdata": [], "links": [3]})", "link 0 is not an object"},
  };
  for (const auto& [text, reason] : cases) {
    try {
      decodePageData(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const StructuredDataError& error) {
      EXPECT_NE(std::string(error.what()).find(reason), std::string::npos)
          << error.what() << " <- " << text;
    }
  }
}

}  // namespace
}  // namespace quillon::structured
