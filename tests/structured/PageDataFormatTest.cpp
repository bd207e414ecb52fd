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
  const PageData page = decodePageData(R"({"url": "u", "jsonLd": ["{}"], "extra": [1],
    "microdata": [[-1, "div", true, "t", "", "", "", ""],
                  [0, "meta", false, "", "name", "", "", "v"]],
    "links": [["a", "next", "h", "Next", "", ""]], "language": "fr-FR"})");
  const PageData expected = {
      "u",
      {"{}"},
      {{-1, "div", true, "t", "", "", "", ""}, {0, "meta", false, "", "name", "", "", "v"}},
      {{"a", "next", "h", "Next", "", ""}},
      "fr-FR"};
  EXPECT_EQ(page, expected);
}

TEST(PageDataFormat, RefusesOtherTextsWithAReason) {
  const std::string page = R"({"url": "", "jsonLd": [], )";
  const std::pair<std::string, std::string> cases[] = {
      {"", "not JSON"},
      // the JSON library's own error for a number that no double holds
      {"[33333333333333e3333333333]", "a number is too large: '33333333333333e3333333333'"},
      {"[]", "not a JSON object"},
      {R"({"jsonLd": [], "microdata": [], "links": []})", "has no \"url\""},
      {R"({"url": 1, "jsonLd": [], "microdata": [], "links": []})", "\"url\" is not a text"},
      {R"({"url": "", "jsonLd": {}, "microdata": [], "links": []})", "\"jsonLd\" is not an array"},
      {R"({"url": "", "jsonLd": [2], "microdata": [], "links": []})", "block 1 is not a text"},
      {page + R"("microdata": [[0, "p", false, "", "", "", "", ""]], "links": []})",
       "parent of microdata element 0 is not an element before it"},
      {page + R"("microdata": [[-2, "p", false, "", "", "", "", ""]], "links": []})",
       "not an element before it"},
      {page + R"("microdata": [[-1.0, "p", false, "", "", "", "", ""]], "links": []})",
       "not an element before it"},
      {page + R"("microdata": [[-1, "p", 0, "", "", "", "", ""]], "links": []})",
       "itemscope of microdata element 0 is not true or false"},
      {page + R"("microdata": [[-1, "p", false, "", "", "", ""]], "links": []})",
       "element 0 is not an array of 8 values"},
      {page + R"("microdata": [], "links": [["a", "", "", "", "", null]]})",
       "field 5 of link 0 is not a text"},
      {page + R"("microdata": [], "links": [{"tag": "a"}]})", "link 0 is not an array of 6"},
      {page + R"("microdata": []})", "has no \"links\""},
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
