#include "HtmlTree.h"
#include "fields/KindPatterns.h"
#include "profiles/Teacher.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace quillon::profiles {
namespace {

using testing::fixturePage;
using testing::HtmlTree;
using Rows = std::vector<std::vector<std::string>>;

const std::map<std::string, std::string> kPhones = {
    {"4521", "91 555 12 34"}, {"4522", "91 555 23 45"}, {"4523", "91 555 34 56"},
    {"4524", "91 555 45 67"}, {"4528", "91 555 89 01"}, {"4529", "91 555 90 12"},
    {"4530", "91 555 01 23"}, {"4531", "91 555 11 22"}, {"4532", "91 555 22 33"},
    {"4533", "91 555 33 44"}, {"4534", "91 555 44 55"}};

PageTree revealed(const std::string& page) {
  PageTree tree = fixturePage(page);
  testing::revealPhones(tree, kPhones);
  return tree;
}

// The first listing of page 1 as the page shows it.
TeachExamples firstListing() {
  TeachExamples examples;
  examples[Column::Name] = "Casa Pepe";
  examples[Column::Activity] = "Restaurante";
  examples[Column::Telephone] = "91 555 12 34";
  examples[Column::Street] = "Calle Mayor 5";
  examples[Column::PostalCode] = "28013";
  examples[Column::Locality] = "Madrid";
  examples[Column::Url] = "www.casapepe.example";
  examples[Column::Email] = "hola@casapepe.example";
  examples.nextText = "Adelante";
  return examples;
}

// The fixture's rows.json, in capture order: page 1 (with the three behind "load more"),
// then the new ones of pages 2 and 3.
Rows fixtureRows() {
  std::ifstream in(std::string(QUILLON_FIXTURES) + "/profile/rows.json");
  return nlohmann::json::parse(in).get<Rows>();
}

Rows asRows(const std::vector<structured::Listing>& listings) {
  Rows rows;
  for (const auto& listing : listings) {
    rows.emplace_back(listing.columns.begin(), listing.columns.end());
  }
  return rows;
}

Rows pick(const Rows& all, std::initializer_list<std::string> names) {
  Rows rows;
  for (const std::string& name : names) {
    for (const auto& row : all) {
      if (row[0] == name) rows.push_back(row);
    }
  }
  return rows;
}

TEST(Teacher, TeachesTheFixtureSiteFromItsFirstListing) {
  const TeachResult result = teachProfile(revealed("page1.html"), firstListing());
  ASSERT_TRUE(result.ok) << result.problem;
  const Profile& profile = result.profile;
  EXPECT_EQ(profile.listing, "article.card");
  EXPECT_EQ(profile[Column::Name]->selector, "h2.card__title");
  // The link's scheme tells the telephone best; the number is cut out by its own shape.
  EXPECT_EQ(profile[Column::Telephone]->selector, "a[href^=\"tel:\"]");
  EXPECT_EQ(profile[Column::Telephone]->pattern, fields::patternFor(fields::Part::Telephone, "ES"));
  EXPECT_EQ(profile[Column::Url]->selector, "a.card__web");
  EXPECT_EQ(profile[Column::Url]->attribute, "href");
  EXPECT_EQ(profile[Column::Email]->attribute, "href");
  // Postal code and locality share "28013 Madrid", each cut out by its own pattern.
  EXPECT_EQ(profile[Column::PostalCode]->selector, "span.card__locality");
  EXPECT_EQ(profile[Column::Locality]->selector, "span.card__locality");
  EXPECT_FALSE(profile[Column::Fax]);
  EXPECT_EQ(profile.next, "a.pagination__link--next");
  EXPECT_EQ(profile.loadMore, "button.results__more");
  EXPECT_EQ(result.listingCount, 4);  // the promo block between them is no listing
  const Rows all = fixtureRows();
  EXPECT_EQ(asRows(result.rows), Rows(all.begin(), all.begin() + 4));
}

TEST(Teacher, TheProfileReadsThePagesItWasNotTaughtOn) {
  const TeachResult result = teachProfile(revealed("page1.html"), firstListing());
  ASSERT_TRUE(result.ok) << result.problem;
  const Rows all = fixtureRows();
  EXPECT_EQ(asRows(readTaughtListings(revealed("page2.html"), result.profile)),
            pick(all, {"Bodega Sevillana", "Trattoria Roma", "La Taberna del Puerto",
                       "Marisquería O Grove", "Horno San Onofre"}));
  // Page 3: a featured listing, one without web or e-mail, a locality of four words.
  EXPECT_EQ(asRows(readTaughtListings(revealed("page3.html"), result.profile)),
            pick(all, {"Asador Castilla", "Churrería San Ginés", "Vinoteca Tempranillo"}));
}

TEST(Teacher, NeverWritesGeneratedClassNames) {
  const TeachResult result = teachProfile(revealed("page1.html"), firstListing());
  ASSERT_TRUE(result.ok);
  std::vector<std::string> selectors = {result.profile.listing, result.profile.next,
                                        result.profile.loadMore};
  for (const auto& rule : result.profile.fields) {
    if (rule) selectors.push_back(rule->selector);
  }
  for (const std::string& selector : selectors) {
    EXPECT_EQ(selector.find("css-"), std::string::npos) << selector;
    EXPECT_EQ(selector.find("sc-"), std::string::npos) << selector;
    EXPECT_EQ(selector.find("card-45"), std::string::npos) << selector;
  }
}

TEST(Teacher, AnExampleBehindAButtonIsNamedWithTheButtonsToClick) {
  const TeachResult result = teachProfile(fixturePage("page1.html"), firstListing());
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.problem,
            "could not place the telephone \"91 555 12 34\": no element on the page shows it");
  EXPECT_EQ(result.revealGuess, "button.card__reveal");
  EXPECT_EQ(result.profile.listing, "article.card");
}

TEST(Teacher, AValueRevealedInTheExampleListingOnlyMakesARevealSelector) {
  // The user clicked "Ver teléfono" in the first listing and took the number shown.
  PageTree tree = fixturePage("page1.html");
  PageTree all = revealed("page1.html");
  for (std::size_t i = 0; i < tree.elements.size(); ++i) {
    if (tree.elements[i].hasClass("card__reveal")) {
      tree.elements[i] = all.elements[i];
      break;
    }
  }
  const TeachResult result = teachProfile(tree, firstListing());
  ASSERT_TRUE(result.ok) << result.problem;
  EXPECT_EQ(result.profile.reveal, "button.card__reveal");
  EXPECT_EQ(result.rows[0][Column::Telephone], "91 555 12 34");
  EXPECT_EQ(result.rows[1][Column::Telephone], "");
}

TEST(Teacher, SaysWhichExampleItCannotPlace) {
  const PageTree tree = revealed("page1.html");
  TeachExamples examples = firstListing();
  examples[Column::Name] = "";
  EXPECT_EQ(teachProfile(tree, examples).problem, "the name of one listing is needed");

  examples = firstListing();
  examples[Column::Name] = "Casa Paco";
  EXPECT_EQ(teachProfile(tree, examples).problem,
            "could not place the name \"Casa Paco\": no element shows it");

  examples = firstListing();
  examples[Column::Region] = "Toledo";
  const TeachResult province = teachProfile(tree, examples);
  EXPECT_FALSE(province.ok);
  EXPECT_EQ(province.problem,
            "could not place the province \"Toledo\": it shows in another listing, not in that "
            "of \"Casa Pepe\"")
      << province.profile.listing;

  examples = firstListing();
  examples.nextText = "Siguiente";
  const TeachResult next = teachProfile(tree, examples);
  EXPECT_FALSE(next.ok);
  EXPECT_EQ(next.problem, "could not place the next-page link \"Siguiente\"");
}

TEST(Teacher, AListingThatDoesNotRepeatIsNoListing) {
  const PageTree tree = HtmlTree::parse(
      "<html><body><div class='shop'><h1 class='shop__name'>Casa Pepe</h1>"
      "<p class='shop__phone'>91 555 12 34</p></div></body></html>",
      "http://one.example/");
  TeachExamples examples;
  examples[Column::Name] = "Casa Pepe";
  examples[Column::Telephone] = "91 555 12 34";
  const TeachResult result = teachProfile(tree, examples);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.problem,
            "could not find a listing around the name \"Casa Pepe\" that repeats on the page");
}

TEST(Teacher, UsesPositionsOnlyWhereClassesDoNotTellElementsApart) {
  const PageTree tree = HtmlTree::parse(
      "<html><body><ul class='hits'>"
      "<li><b>Casa Pepe</b> <span>Restaurante</span> <span>Tel: 91 555 12 34</span></li>"
      "<li><b>Bar Sol</b> <span>Bar</span> <span>Tel: 91 555 99 88</span></li>"
      "<li><b>Café Luna</b> <span>Cafetería</span> <span>Tel: 93 444 00 11</span></li>"
      "</ul><ul class='menu'><li>Home</li><li>About</li></ul></body></html>",
      "http://list.example/");
  TeachExamples examples;
  examples[Column::Name] = "Casa Pepe";
  examples[Column::Activity] = "Restaurante";
  examples[Column::Telephone] = "91 555 12 34";
  const TeachResult result = teachProfile(tree, examples);
  ASSERT_TRUE(result.ok) << result.problem;
  EXPECT_EQ(result.profile.listing, "ul.hits > li");
  EXPECT_EQ(result.profile[Column::Name]->selector, "b");
  EXPECT_EQ(result.profile[Column::Activity]->selector, "span");
  EXPECT_EQ(result.profile[Column::Telephone]->selector, "span:nth-of-type(2)");
  EXPECT_EQ(result.listingCount, 3);
  EXPECT_EQ(result.rows[2][Column::Name], "Café Luna");
  EXPECT_EQ(result.rows[2][Column::Telephone], "93 444 00 11");
}

TEST(Teacher, AnAddressExampleMatchesTheLinkBehindAWordAndKeepsTheAddress) {
  const PageTree tree = HtmlTree::parse(
      "<html><body>"
      "<div class='hit'><h3>Casa Pepe</h3><a class='go' "
      "href='https://www.casapepe.example/'>Web</a>"
      "<a href='mailto:Hola@CasaPepe.example?subject=Hi'>Mail</a></div>"
      "<div class='hit'><h3>Bar Sol</h3><a class='go' href='http://barsol.example/inicio'>Web</a>"
      "<a href='mailto:sol@barsol.example'>Mail</a></div>"
      "</body></html>",
      "http://links.example/");
  TeachExamples examples;
  examples[Column::Name] = "Casa Pepe";
  examples[Column::Url] = "casapepe.example";
  examples[Column::Email] = "hola@casapepe.example";
  const TeachResult result = teachProfile(tree, examples);
  ASSERT_TRUE(result.ok) << result.problem;
  EXPECT_EQ(result.profile[Column::Url]->selector, "a.go");
  EXPECT_EQ(result.profile[Column::Email]->selector, "a[href^=\"mailto:\"]");
  EXPECT_EQ(result.rows[0][Column::Url], "https://www.casapepe.example/");
  EXPECT_EQ(result.rows[0][Column::Email], "Hola@CasaPepe.example");
  EXPECT_EQ(result.rows[1][Column::Email], "sol@barsol.example");
}

}  // namespace
}  // namespace quillon::profiles
