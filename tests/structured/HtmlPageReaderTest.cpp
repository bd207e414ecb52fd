#include "structured/HtmlNesting.h"
#include "structured/HtmlPageReader.h"
#include "structured/StructuredDataError.h"

#include <gtest/gtest.h>

namespace quillon::structured {
namespace {

constexpr const char* kUrl = "https://guia.example/a/ficha.html";

TEST(HtmlPageReader, CollectsJsonLdScriptsByType) {
  const PageData page = readHtmlPage(R"(<head>
    <script type=" Application/LD+JSON ;charset=utf-8">{"a": "&amp;</b>"}</script>
    <script type="application/json">{}</script><script>var x;</script></head>
    <body><svg><script type="application/ld+json">{}</script></svg>
    <template><script type="application/ld+json">{}</script></template>
    <script type="application/ld+json"></script>)",
                                     kUrl);
  EXPECT_EQ(page.url, kUrl);
  EXPECT_EQ(page.jsonLd, (std::vector<std::string>{R"({"a": "&amp;</b>"})", ""}));
}

TEST(HtmlPageReader, TakesItemValuesByTheHtmlRules) {
  const PageData page = readHtmlPage(R"(<base href="/b/"><div itemscope itemtype="T" itemref="r">
    <meta itemprop="m" content="C &amp; D"><a itemprop="a" href="x.html">text</a>
    <area itemprop="ar" href="?q"><link itemprop="l" href="//cdn.example/s.css">
    <img itemprop="i" src="i.png"><video itemprop="v"></video><object itemprop="o" data="o.pdf">
    </object><data itemprop="d" value="7">seven</data><meter itemprop="mt" value="0.5"></meter>
    <time itemprop="t1" datetime="2024-05-01">May</time><time itemprop="t2">1 <b>May</b></time>
    <span itemprop="s">a <i>b</i><template>c</template></span>
    <p itemprop="nested" itemscope><span itemprop="inner">x</span></p></div>
    <p id="r"><span itemprop="e">ref</span></p><p id="unused">no</p>)",
                                     kUrl);
  std::vector<std::pair<std::string, std::string>> values;
  for (const MicrodataElement& e : page.microdata) values.emplace_back(e.itemprop, e.value);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"", ""},
      {"m", "C & D"},
      {"a", "https://guia.example/b/x.html"},
      {"ar", "https://guia.example/b/?q"},
      {"l", "https://cdn.example/s.css"},
      {"i", "https://guia.example/b/i.png"},
      {"v", ""},
      {"o", "https://guia.example/b/o.pdf"},
      {"d", "7"},
      {"mt", "0.5"},
      {"t1", "2024-05-01"},
      {"t2", "1 May"},
      {"s", "a b"},
      {"nested", "x"},  // an item's text, for an address item of text only
      {"inner", "x"},
      {"", ""},
      {"e", "ref"}};
  EXPECT_EQ(values, expected);
  EXPECT_EQ(page.microdata[14].parent, 13);  // the nearest collected ancestor
  EXPECT_EQ(page.microdata[16].parent, 15);
  EXPECT_EQ(page.microdata[15].id, "r");
  EXPECT_EQ(page.microdata[0].itemref, "r");
}

TEST(HtmlPageReader, CollectsLinksWithTheirVisibleText) {
  const PageData page = readHtmlPage(R"(<link rel="next" href="p2.html"><body>
    <a href=" p3.html " title="T" aria-label="L">
       Siguiente<br>p&aacute;gina <span hidden>oculto</span><script>x</script> ›</a>
    <a>sin</a><a href=""></a><noscript><a href="n.html">n</a><base href="/n/"></noscript>
    <svg><a href="s.html">s</a></svg>)",
                                     kUrl);
  const std::vector<PageLink> expected = {
      {"link", "next", "https://guia.example/a/p2.html", "", "", ""},
      {"a", "", "https://guia.example/a/p3.html", "Siguiente página ›", "L", "T"},
      {"a", "", "", "sin", "", ""},
      {"a", "", kUrl, "", "", ""}};
  EXPECT_EQ(page.links, expected);
}

TEST(HtmlPageReader, ReadsBytesThatAreNotUtf8AsWindows1252) {
  const PageData page = readHtmlPage("\xEF\xBB\xBF<a href=x>Caf\xE9</a>", kUrl);
  EXPECT_EQ(page.links.at(0).text, "Caf\xC3\xA9");
  EXPECT_EQ(readHtmlPage("<a href=x>Caf\xC3\xA9 \xE2\x82\xAC</a>", kUrl).links.at(0).text,
            "Caf\xC3\xA9 \xE2\x82\xAC");
}

TEST(HtmlNesting, CountsOnlyElementsThatStayOpen) {
  EXPECT_EQ(nestingWork("<div><div><div></div></div></div>"), 0u + 1 + 2);
  // void, self-closed and implicitly closed elements, comments and script text
  EXPECT_EQ(nestingWork("<div><br><img/><p>a<p>b<li>c<!-- <div><div> -->"
                        "<script>'<div><div>'</script><b>"),
            7u);
  // stray end tags do not hide nesting
  EXPECT_EQ(nestingWork("<div></span><div></p><div>"), 0u + 1 + 2);
}

TEST(HtmlPageReader, RefusesMarkupNestedTooDeeply) {
  std::string deep;
  for (int i = 0; i < 100'000; ++i) deep += "<div>";
  EXPECT_GT(nestingWork(deep), kMaxNestingWork);
  EXPECT_THROW(readHtmlPage(deep, kUrl), StructuredDataError);
}

}  // namespace
}  // namespace quillon::structured
