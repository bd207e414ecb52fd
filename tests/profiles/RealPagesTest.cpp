// The teacher on result pages shaped like those of today's directories (tests/fixtures/real):
// taught from the first listing alone, the profile reads every column of every listing right.

#include "HtmlTree.h"
#include "profiles/Teacher.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace quillon::profiles {
namespace {

using testing::realPage;
using Rows = std::vector<std::vector<std::string>>;

Rows expectedRows(const std::string& name) {
  std::ifstream in(std::string(QUILLON_FIXTURES) + "/real/" + name);
  return nlohmann::json::parse(in).get<Rows>();
}

Rows asRows(const std::vector<structured::Listing>& listings) {
  Rows rows;
  for (const auto& listing : listings)
    rows.emplace_back(listing.columns.begin(), listing.columns.end());
  return rows;
}

// The examples of the row as the user takes them from the page; the web address as its host.
TeachExamples examplesOf(const std::vector<std::string>& row, const std::string& web) {
  TeachExamples examples;
  for (std::size_t i = 0; i < kColumnCount; ++i) examples.values[i] = row[i];
  examples[Column::Url] = web;
  return examples;
}

std::string selectorOf(const TeachResult& result, Column column) {
  return result.profile[column] ? result.profile[column]->selector : "(none)";
}

const char* const kAustralian = "https://www.localpages.example.com.au/find/plumbers/cairns-qld";

TEST(RealPages, CardsWithPaidLayoutsReadByWhatTheirValuesAre) {
  const PageTree tree = realPage("au-plumbers.html", kAustralian);
  const Rows expected = expectedRows("au-plumbers.rows.json");
  const TeachResult result =
      teachProfile(tree, examplesOf(expected[0], "www.micksplumbing.example.com.au"));
  ASSERT_TRUE(result.ok) << result.problem;
  EXPECT_EQ(asRows(result.rows), expected);
  // The cards share a data-* attribute that the promotion box of the same class lacks, and
  // every card's telephone is a tel: link whatever its layout.
  EXPECT_EQ(result.profile.listing, "div[data-cardposition]");
  EXPECT_EQ(selectorOf(result, Column::Telephone), "a[href^=\"tel:\"]");
  EXPECT_EQ(fillLine(result, Column::Telephone), "Telephone: 8 of 8 listings");
  EXPECT_EQ(fillLine(result, Column::Url), "Web: 6 of 8 listings");
  EXPECT_EQ(fillLine(result, Column::Street), "Street: 7 of 8 listings");
  EXPECT_EQ(asRows(readTaughtListings(tree, result.profile)), expected);
}

TEST(RealPages, TheNameAloneFindsTheCardsNotAStripThatRepeatsIt) {
  TeachExamples examples;
  examples[Column::Name] = "Mick's Plumbing & Gas";
  const TeachResult result = teachProfile(realPage("au-plumbers.html", kAustralian), examples);
  ASSERT_TRUE(result.ok) << result.problem;
  EXPECT_EQ(result.profile.listing, "div[data-cardposition]");
  EXPECT_EQ(result.listingCount, 8);
}

TEST(RealPages, StreetsOfAnyLengthLinksOfTheDirectoryAndCardsWithoutATelephone) {
  const PageTree tree =
      realPage("fr-boulangeries.html",
               "https://www.annuaire-pro.example/recherche?quoiqui=boulangerie&ou=paris");
  const Rows expected = expectedRows("fr-boulangeries.rows.json");
  const TeachResult result =
      teachProfile(tree, examplesOf(expected[0], "www.boulangerie-martin.example"));
  ASSERT_TRUE(result.ok) << result.problem;
  EXPECT_EQ(asRows(result.rows), expected);
  // Not the first link of the card's detail items, which is the e-mail where there is no
  // telephone; not the first link of its bottom bar, which is the directory's map page where
  // there is no website.
  EXPECT_EQ(selectorOf(result, Column::Telephone), "a[href^=\"tel:\"]");
  EXPECT_EQ(selectorOf(result, Column::Email), "a[href^=\"mailto:\"]");
  EXPECT_EQ(selectorOf(result, Column::Url), "a.bi-site");
  for (const Column column : {Column::Street, Column::PostalCode, Column::Locality}) {
    EXPECT_EQ(selectorOf(result, column), "a.bi-address");
    EXPECT_EQ(result.profile[column]->pattern.find("\\p{L}+\\s*\\p{L}+"), std::string::npos);
  }
  EXPECT_EQ(fillLine(result, Column::Telephone), "Telephone: 6 of 7 listings");
}

TEST(RealPages, SponsoredAndTipsBoxesOfTheCardsClassAreNoListings) {
  const PageTree tree = realPage("it-ristoranti.html", "https://www.paginelocali.example/roma");
  const Rows expected = expectedRows("it-ristoranti.rows.json");
  const TeachResult result =
      teachProfile(tree, examplesOf(expected[0], "www.trattoriadaenzo.example"));
  ASSERT_TRUE(result.ok) << result.problem;
  EXPECT_EQ(result.profile.listing, "div.search-itm");
  EXPECT_EQ(result.listingCount, 7);
  EXPECT_EQ(asRows(result.rows), expected);
  EXPECT_EQ(asRows(readTaughtListings(tree, result.profile)), expected);
}

TEST(RealPages, ARevealButtonInsideTheCardsLinkIsNeverClicked) {
  const Rows expected = expectedRows("mx-taquerias.rows.json");
  const TeachExamples examples = examplesOf(expected[0], "taqueriaelgueero.example.mx");
  const TeachResult hidden = teachProfile(
      realPage("mx-taquerias.html", "https://www.directorio-mx.example/ciudad-de-mexico/taquerias"),
      examples);
  EXPECT_FALSE(hidden.ok);
  EXPECT_EQ(hidden.problem,
            "could not place the telephone \"55 5264 1234\": no element on the page shows it");
  // "Ver teléfono" lies inside the link to the business's page; "Mostrar número" does not.
  EXPECT_EQ(hidden.revealGuess, "button.listing__reveal");
  // "Mostrar más sugerencias" unfolds a side box; the results' own button is under them.
  EXPECT_EQ(hidden.profile.loadMore, "button.results__more");

  const TeachResult shown = teachProfile(testing::revealedTaquerias(), examples);
  ASSERT_TRUE(shown.ok) << shown.problem;
  EXPECT_EQ(asRows(shown.rows), Rows(expected.begin(), expected.begin() + 4));
}

TEST(RealPages, AFailureNamesItsCause) {
  const PageTree tree = realPage("au-plumbers.html", kAustralian);
  TeachExamples examples;
  examples[Column::Name] = "Mick's Plumbing & Gas";
  examples[Column::Telephone] = "1300 555 000";  // the directory's own help line
  EXPECT_EQ(teachProfile(tree, examples).problem,
            "could not place the telephone \"1300 555 000\": it shows outside every listing that "
            "repeats around the name \"Mick's Plumbing & Gas\"");
}

}  // namespace
}  // namespace quillon::profiles
