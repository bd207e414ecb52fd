#include "structured/NextPage.h"

#include <gtest/gtest.h>

namespace quillon::structured {
namespace {

constexpr const char* kPage = "https://guia.example/buscar?q=pan&p=2";

PageLink a(std::string href, std::string text, std::string aria = "", std::string title = "",
           std::string rel = "") {
  return PageLink{
      "a", std::move(rel), std::move(href), std::move(text), std::move(aria), std::move(title)};
}

PageLink link(std::string rel, std::string href) { return PageLink{"link", rel, href, "", "", ""}; }

std::optional<std::string> next(std::vector<PageLink> links, std::set<std::string> read = {}) {
  PageData page;
  page.url = kPage;
  page.links = std::move(links);
  return findNextPage(page, read);
}

TEST(NextPage, RelNextComesFirst) {
  EXPECT_EQ(next({a("https://guia.example/p3", "Next"), link("prev", "https://guia.example/p1"),
                  a("https://guia.example/p4", "4", "", "", "nofollow NEXT")}),
            "https://guia.example/p4");
  EXPECT_EQ(next({link("next", ""), link("nextpage", "https://guia.example/x"),
                  link(" next ", "https://guia.example/p3")}),
            "https://guia.example/p3");
}

TEST(NextPage, MatchesNextWordsInManyLanguages) {
  const std::vector<std::string> words = {"Next",
                                          "next  page",
                                          "Siguiente ›",
                                          "PÁGINA SIGUIENTE",
                                          "pagina siguiente",
                                          "Successiva »",
                                          "Pagina successiva",
                                          "Avanti >>",
                                          "Suivant",
                                          "suivante →",
                                          "Page suivante",
                                          "Weiter",
                                          "NÄCHSTE",
                                          "Nächste Seite",
                                          "Volgende",
                                          "Próxima",
                                          "Seguinte",
                                          "» Next »"};
  for (const std::string& word : words) {
    EXPECT_EQ(next({a("https://guia.example/p3", word)}), "https://guia.example/p3") << word;
  }
  for (const char* other : {"Nextdoor", "Next: Bakeries", "Anterior", "3", "nächster"}) {
    EXPECT_EQ(next({a("https://guia.example/p3", other)}), std::nullopt) << other;
  }
}

TEST(NextPage, ArrowsCountOnlyThroughTheirLabels) {
  EXPECT_EQ(next({a("https://guia.example/p3", "›")}), std::nullopt);
  EXPECT_EQ(next({a("https://guia.example/p3", "›", "Next page")}), "https://guia.example/p3");
  EXPECT_EQ(next({a("https://guia.example/p3", "→", "", "Página siguiente")}),
            "https://guia.example/p3");
  // a link element has no text to match
  EXPECT_EQ(next({PageLink{"link", "", "https://guia.example/p3", "Next", "", ""}}), std::nullopt);
}

TEST(NextPage, PassesOverUselessAndReadAddresses) {
  EXPECT_EQ(next({a("", "Next"), a("javascript:void(0)", "Next"), a("JavaScript:go(3)", "Next"),
                  a(std::string(kPage) + "#results", "Next"),
                  a("https://guia.example/p1#top", "Next"), a("https://guia.example/p3", "Next")},
                 {"https://guia.example/p1"}),
            "https://guia.example/p3");
  EXPECT_EQ(next({link("next", "https://guia.example/p1#again")}, {"https://guia.example/p1#x"}),
            std::nullopt);
}

}  // namespace
}  // namespace quillon::structured
