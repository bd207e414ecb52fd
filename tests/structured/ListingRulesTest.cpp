// Which nodes become listings and what goes into their columns.

#include "StructuredTestSupport.h"
#include "structured/Extraction.h"

#include <gtest/gtest.h>

namespace quillon::structured {
namespace {

using testing::jsonLdPage;
using testing::namesOf;

using Names = std::vector<std::string>;

TEST(ListingRules, AListingHasASpecificTypeANameAndATelephoneOrAddress) {
  const Extraction e = extractListings(jsonLdPage({R"([
    {"@type": "Dentist", "name": "Phone only", "telephone": "963"},
    {"@type": "Dentist", "name": "Address only", "address": {"postalCode": "46004"}},
    {"@type": "Dentist", "name": "Text address", "address": "Calle 1"},
    {"@type": "Dentist", "name": "Neither", "url": "https://x.example/"},
    {"@type": "Dentist", "name": " \n ", "telephone": "963"},
    {"@type": ["WebPage", "ItemList"], "name": "Structure", "telephone": "963"},
    {"@type": ["WebPage", "Dentist"], "name": "Mixed", "telephone": "963"},
    {"name": "Untyped", "telephone": "963"},
    {"@type": "Dentist", "name": "Empty address", "address": {"@type": "PostalAddress"}}
  ])"}));
  EXPECT_EQ(namesOf(e), (Names{"Phone only", "Address only", "Text address", "Mixed"}));
  EXPECT_TRUE(e.summaryUrls.empty());
  EXPECT_TRUE(e.warnings.empty());
}

TEST(ListingRules, FillsTheTenColumns) {
  const Extraction e = extractListings(jsonLdPage({R"({
    "@type": ["LocalBusiness", "https://schema.org/HVACBusiness"],
    "name": ["", "Brisa &amp; Frío\n  Norte"],
    "faxNumber": "+34 1", "telephone": [" ", "+34 2", "+34 3"],
    "address": ["", {"@type": "PostalAddress"}, {"streetAddress": ["Calle  A 1"],
                "postalCode": 28029, "addressLocality": "Madrid", "addressRegion": "M"},
                "Calle B 2"],
    "url": "../contacto#mapa", "email": "MailTo: hola@brisa.example"})"}));
  ASSERT_EQ(e.listings.size(), 1u);
  const std::array<std::string, kColumnCount> expected = {"Brisa & Frío Norte",
                                                          "HVAC Business",
                                                          "+34 1",
                                                          "+34 2",
                                                          "Calle A 1",
                                                          "28029",
                                                          "Madrid",
                                                          "M",
                                                          "",  // a page of the directory
                                                          "hola@brisa.example"};
  EXPECT_EQ(e.listings[0].columns, expected);
}

TEST(ListingRules, TheWebColumnNeverHoldsAnAddressOfTheDirectory) {
  PageData page = jsonLdPage({R"([
    {"@type": "WebSite", "url": "https://www.guia-local.example/",
     "publisher": {"@type": "Organization", "url": "https://grupo-guia.example/"}},
    {"@type": "Plumber", "name": "Own page", "telephone": "1", "url": "/pros/05416214"},
    {"@type": "Plumber", "name": "Canonical host", "telephone": "2",
     "url": "https://m.guia-canonica.example/pros/2",
     "sameAs": ["https://www.guia-local.example/fotos/2", "https://fontaneria-dos.example/"]},
    {"@type": "Plumber", "name": "Publisher", "telephone": "3",
     "url": "https://grupo-guia.example/ficha/3"},
    {"@type": "Plumber", "name": "Bare host", "telephone": "4", "url": "www.tuberias.example"},
    {"@type": "Plumber", "name": "Alternate", "telephone": "5",
     "url": "https://guia.example.mx/ficha/5"}])"});
  page.url = "https://www.guia-local.example/madrid/fontaneros";
  page.links = {{"link", "canonical", "https://guia-canonica.example/madrid", "", "", ""},
                {"link", "alternate", "https://guia.example.mx/madrid", "", "", ""}};
  std::vector<std::string> web;
  for (const Listing& listing : extractListings(page).listings) web.push_back(listing.url());
  EXPECT_EQ(web, (std::vector<std::string>{"", "https://fontaneria-dos.example/", "",
                                           "http://www.tuberias.example", ""}));
}

TEST(ListingRules, ContactPointLocationAndTextAddressesFillTheirColumns) {
  PageData page = jsonLdPage({R"([
    {"@type": "Dentist", "name": "Contact only",
     "contactPoint": [{"@type": "ContactPoint", "contactType": "sales"},
                      {"@type": "ContactPoint", "telephone": "tel:+33%201%2043%2000%2000%2001",
                       "email": "mailto:rdv@sourire.example", "faxNumber": "fax:0143000002"}]},
    {"@type": "Dentist", "name": "Own and contact", "telephone": "callto:0143000003",
     "contactPoint": {"@type": "ContactPoint", "telephone": "0143000004"}},
    {"@type": "Dentist", "name": "Located", "telephone": "5",
     "location": {"@type": "Place", "name": "Centre", "address": {"@type": "PostalAddress",
                  "streetAddress": "12 rue de la Paix", "postalCode": "75002",
                  "addressLocality": "Paris"}}},
    {"@type": "Dentist", "name": "Text address", "telephone": "6",
     "address": {"@type": "PostalAddress", "name": "240 rue Fbg St Antoine 75012 Paris"}}])"});
  page.microdata = {{-1, "div", true, "https://schema.org/Dentist", "", "", "", ""},
                    {0, "span", false, "", "name", "", "", "Microdata text"},
                    {0, "a", false, "", "telephone", "", "", "tel:(909)%20484-2020"},
                    {0, "p", true, "https://schema.org/PostalAddress", "address", "", "",
                     " 15 Rue de Rivoli\n 75004 Paris "}};
  const Extraction e = extractListings(page);
  ASSERT_EQ(e.listings.size(), 5u);
  EXPECT_EQ(e.listings[0][Column::Telephone], "+33 1 43 00 00 01");
  EXPECT_EQ(e.listings[0][Column::Email], "rdv@sourire.example");
  EXPECT_EQ(e.listings[0][Column::Fax], "0143000002");
  EXPECT_EQ(e.listings[1][Column::Telephone], "0143000003");
  EXPECT_EQ(e.listings[2][Column::Street], "12 rue de la Paix");
  EXPECT_EQ(e.listings[2][Column::PostalCode], "75002");
  EXPECT_EQ(e.listings[2][Column::Locality], "Paris");
  EXPECT_EQ(e.listings[3][Column::Street], "240 rue Fbg St Antoine 75012 Paris");
  EXPECT_EQ(e.listings[4][Column::Telephone], "(909) 484-2020");
  EXPECT_EQ(e.listings[4][Column::Street], "15 Rue de Rivoli 75004 Paris");
}

TEST(ListingRules, EmailIsTheAddressOfAMailtoLink) {
  const Extraction e = extractListings(jsonLdPage({R"([
    {"@type": "Store", "name": "A", "telephone": "1",
     "email": "mailto:jos%C3%A9@tienda.example?subject=Cita%20previa"},
    {"@type": "Store", "name": "B", "telephone": "2", "email": "mailto:a%FF@b.example"},
    {"@type": "Store", "name": "C", "telephone": "3", "email": "c%20d@e.example"}])"}));
  ASSERT_EQ(e.listings.size(), 3u);
  EXPECT_EQ(e.listings[0][Column::Email], "josé@tienda.example");
  EXPECT_EQ(e.listings[1][Column::Email], "a%FF@b.example");  // not UTF-8 once decoded
  EXPECT_EQ(e.listings[2][Column::Email], "c%20d@e.example");
}

TEST(ListingRules, NodesHeldByOtherNodesAreNotListings) {
  const Extraction e = extractListings(jsonLdPage({R"({"@graph": [
    {"@type": "WebSite", "publisher": {"@id": "#org"}},
    {"@type": "Organization", "@id": "#org", "name": "Directory", "telephone": "900"},
    {"@type": "Plumber", "name": "Ortega", "telephone": "914",
     "review": {"@type": "Review", "author": {"@type": "Person", "name": "Ana", "telephone": "1"}},
     "parentOrganization": {"@type": "Corporation", "name": "Grupo", "telephone": "2"}}]})"}));
  EXPECT_EQ(namesOf(e), Names{"Ortega"});
}

TEST(ListingRules, ResolvesIdsAcrossBlocksThroughCycles) {
  const Extraction e = extractListings(jsonLdPage({
      R"({"@type": "Florist", "@id": "#f", "name": "Azahar", "address": {"@id": "#a"},
          "department": {"@id": "#f"}})",
      R"([{"@type": "PostalAddress", "@id": "#a", "streetAddress": "Calle 1",
           "containedInPlace": {"@id": "#c"}},
          {"@type": "Place", "@id": "#c", "containsPlace": {"@id": "#a"}}])"}));
  ASSERT_EQ(e.listings.size(), 1u);
  EXPECT_EQ(e.listings[0][Column::Street], "Calle 1");
}

TEST(ListingRules, TakesEntriesOfItemListsInListOrder) {
  const Extraction e = extractListings(jsonLdPage({R"({"@graph": [
    {"@type": "Bakery", "@id": "#late", "name": "Third", "telephone": "3"},
    {"@type": "SearchResultsPage", "mainEntity": {"@type": "ItemList", "itemListElement": [
      {"@type": "ListItem", "position": 1, "item": {"@type": "Bakery", "name": "First",
                                                   "telephone": "1"}},
      {"@type": "Bakery", "name": "Second", "telephone": "2"},
      {"@type": "ListItem", "item": {"@id": "#late"}},
      {"name": "Untyped entry", "telephone": "4"}]}},
    {"@type": "BreadcrumbList", "itemListElement": [{"@type": "ListItem",
      "item": {"@type": "Bakery", "name": "Crumb", "telephone": "5"}}]}]})"}));
  EXPECT_EQ(namesOf(e), (Names{"Third", "First", "Second"}));
}

TEST(ListingRules, TakesTheMainEntityOfAPage) {
  const Extraction e = extractListings(jsonLdPage({R"({"@type": "WebPage",
    "mainEntity": {"@type": "Optician", "name": "Mirada", "telephone": "976"},
    "about": {"@type": "Optician", "name": "About", "telephone": "976"}})"}));
  EXPECT_EQ(namesOf(e), Names{"Mirada"});
}

TEST(ListingRules, JsonLdListingsComeBeforeMicrodataAndBadBlocksAreNamed) {
  PageData page = jsonLdPage({"{\"@type\": \"Store\", \"name\": \"A\", \"telephone\": \"1\"",
                              R"({"@type": "Store", "name": "B", "telephone": "2"})",
                              "[" + std::string(200, '[')});
  page.microdata = {{-1, "div", true, "https://schema.org/Store", "", "", "", ""},
                    {0, "span", false, "", "name", "", "", "C"},
                    {0, "span", false, "", "telephone", "", "", "3"}};
  const Extraction e = extractListings(page);
  EXPECT_EQ(namesOf(e), (Names{"B", "C"}));
  ASSERT_EQ(e.warnings.size(), 2u);
  EXPECT_EQ(e.warnings[0].rfind(
                std::string("JSON-LD block 1 of ") + testing::kPageUrl + " does not parse: ", 0),
            0u)
      << e.warnings[0];
  EXPECT_NE(e.warnings[1].find("block 3"), std::string::npos);
  EXPECT_NE(e.warnings[1].find("deeper than 128 levels"), std::string::npos);
}

}  // namespace
}  // namespace quillon::structured
