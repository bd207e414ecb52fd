#include "HtmlTree.h"
#include "profiles/CssSyntax.h"
#include "profiles/SimpleSelector.h"

#include <gtest/gtest.h>

namespace quillon::profiles {
namespace {

TEST(CssSyntax, ReadsWhatABrowserReads) {
  for (const char* selector :
       {"article.card", "div#main > ul li:nth-child(2n+1)", "a[href^=\"tel:\"]", "a[rel=next i]",
        "li:not(.ad, .promo)", ".a, .b", "div:has(> h2)", "*", "p ~ span + b",
        "a:nth-of-type(2):last-of-type", "span.\\33 d", "[data-x='a,b']"}) {
    EXPECT_EQ(cssSelectorProblem(selector), std::nullopt) << selector;
  }
  EXPECT_EQ(cssSelectorProblem("> span", true), std::nullopt);
}

TEST(CssSyntax, SaysWhatIsWrongAndWhere) {
  EXPECT_EQ(*cssSelectorProblem("div..a"), "a class selector without a name at character 5");
  EXPECT_EQ(*cssSelectorProblem(""), "empty");
  EXPECT_EQ(*cssSelectorProblem("a["), "an attribute selector without a name at character 3");
  EXPECT_EQ(*cssSelectorProblem("a:hovr"), "unknown pseudo-class :hovr at character 3");
  EXPECT_EQ(*cssSelectorProblem("p::before"), "pseudo-elements select nothing at character 3");
  EXPECT_EQ(*cssSelectorProblem("> span"), "a selector begins with a combinator at character 3");
  EXPECT_EQ(*cssSelectorProblem("div >"), "a combinator ends a selector at character 6");
  EXPECT_EQ(*cssSelectorProblem("a, "), "a selector is missing at character 4");
  EXPECT_EQ(*cssSelectorProblem("li:not(.a"), "a '(' without its ')' at character 10");
  EXPECT_EQ(*cssSelectorProblem("a[x='b]"), "a string without its closing quote at character 8");
  EXPECT_TRUE(cssSelectorProblem(std::string(40, '(')));
  std::string deep;
  for (int i = 0; i < 40; ++i) deep += ":not(";
  EXPECT_EQ(*cssSelectorProblem(deep + "a" + std::string(40, ')')),
            "nested too deeply at character 86");
}

TEST(CssSyntax, ConfinesEverySelectorOfAListToTheElement) {
  EXPECT_EQ(scopedSelector("span.a, > b,[x=\",\"]"), ":scope span.a, :scope > b, :scope [x=\",\"]");
}

class SimpleSelectorTest : public ::testing::Test {
 protected:
  PageTree tree = testing::HtmlTree::parse(
      "<html><body><div class='list'>"
      "<div class='item'><span>a</span><span class='x'>b</span><a href='tel:1'>c</a></div>"
      "<div class='item'><span>d</span><b><span>e</span></b></div>"
      "</div><span>f</span></body></html>",
      "http://s.example/");

  std::vector<std::string> texts(const std::string& css, int scope = -1) {
    const auto selector = parseSimpleSelector(css);
    EXPECT_TRUE(selector) << css;
    std::vector<std::string> out;
    for (const int element : selectAll(tree, *selector, scope)) {
      out.push_back(tree.elements[static_cast<std::size_t>(element)].text);
    }
    return out;
  }
};

TEST_F(SimpleSelectorTest, MatchesTheSubsetItWrites) {
  using V = std::vector<std::string>;
  EXPECT_EQ(texts("span"), (V{"a", "b", "d", "e", "f"}));
  EXPECT_EQ(texts("div.item > span"), (V{"a", "b", "d"}));
  EXPECT_EQ(texts("div.list span:nth-of-type(2)"), (V{"b"}));
  EXPECT_EQ(texts("div.item > span:last-of-type"), (V{"b", "d"}));
  EXPECT_EQ(texts("a[href^=\"tel:\"]"), (V{"c"}));
  EXPECT_EQ(texts("a[href=\"tel:1\"]"), (V{"c"}));
  EXPECT_EQ(texts("div.item > span:not(.x)"), (V{"a", "d"}));
}

TEST_F(SimpleSelectorTest, ARelativeSelectorStaysInsideItsContainer) {
  using V = std::vector<std::string>;
  const int second = selectAll(tree, *parseSimpleSelector("div.item"))[1];
  EXPECT_EQ(texts("span", second), (V{"d", "e"}));
  EXPECT_EQ(texts("> span", second), (V{"d"}));
  // "div span" inside the item: the div must be inside it too, as in the browser's :scope.
  EXPECT_EQ(texts("div span", second), V{});
}

TEST_F(SimpleSelectorTest, WritesAndReadsBackItsOwnText) {
  SimpleSelector selector;
  selector.steps.push_back({SelectorStep::Combinator::Child,
                            "a",
                            {"1st", "x y"},
                            {{"title", "say \"hi\"\nnow", false}},
                            2,
                            true,
                            {"ad"}});
  selector.steps.push_back({SelectorStep::Combinator::Descendant, "", {}, {}, 0, false, {}});
  const std::string css = selector.css();
  EXPECT_EQ(
      css,
      "> a.\\31 st.x\\ y[title=\"say \\\"hi\\\"\\a now\"]:not(.ad):nth-of-type(2):last-of-type *");
  EXPECT_EQ(cssSelectorProblem(css, true), std::nullopt);
  EXPECT_EQ(parseSimpleSelector(css), selector);
  EXPECT_FALSE(parseSimpleSelector("a:hover"));
  EXPECT_FALSE(parseSimpleSelector("a,b"));
}

}  // namespace
}  // namespace quillon::profiles
