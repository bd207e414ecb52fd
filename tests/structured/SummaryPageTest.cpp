// Summary pages (entries that only link to detail pages), detail pages and page signatures.

#include "StructuredTestSupport.h"
#include "structured/Extraction.h"

#include <gtest/gtest.h>

namespace quillon::structured {
namespace {

using testing::jsonLdPage;

using Urls = std::vector<std::string>;

TEST(SummaryPage, EntriesWithoutDataGiveTheirAddresses) {
  const Extraction e = extractListings(jsonLdPage({R"json({"@type": "ItemList", "itemListElement": [
    {"@type": "ListItem", "position": 1, "url": "/negocio/1"},
    {"@type": "ListItem", "item": "https://guia.example/negocio/2"},
    {"@type": "ListItem", "item": {"@type": "Dentist", "name": "Three", "url": "3"}},
    {"@type": "ListItem", "url": "/negocio/4", "item": {"@type": "Thing", "name": "Four"}},
    {"@type": "Bakery", "name": "Five", "url": "/negocio/5"},
    {"@type": "ListItem", "item": {"@id": "https://guia.example/negocio/6#ficha"}},
    "https://guia.example/negocio/7",
    {"@type": "ListItem", "url": "/negocio/1#opiniones"},
    {"@type": "ListItem", "url": "javascript:void(0)"},
    {"@type": "ListItem", "url": "?p=1#top"}]})json"}));
  EXPECT_TRUE(e.listings.empty());
  const Urls expected = {"https://guia.example/negocio/1", "https://guia.example/negocio/2",
                         "https://guia.example/madrid/3",  "https://guia.example/negocio/4",
                         "https://guia.example/negocio/5", "https://guia.example/negocio/6",
                         "https://guia.example/negocio/7"};
  EXPECT_EQ(e.summaryUrls, expected);
}

TEST(SummaryPage, AnyListingWithDataMakesItNoSummaryPage) {
  const Extraction e = extractListings(jsonLdPage({R"({"@type": "ItemList", "itemListElement": [
    {"@type": "ListItem", "url": "/negocio/1"},
    {"@type": "ListItem", "item": {"@type": "Bakery", "name": "Pan", "telephone": "1",
                                   "url": "/negocio/2"}}]})"}));
  EXPECT_EQ(testing::namesOf(e), std::vector<std::string>{"Pan"});
  EXPECT_TRUE(e.summaryUrls.empty());
}

TEST(SummaryPage, ADetailPageGivesItsFirstListingNeverItselfAsTheWebsite) {
  PageData page = jsonLdPage({R"([{"@type": "WebSite", "name": "Guia"},
    {"@type": "Optician", "name": "Mirada", "telephone": "976",
     "url": "https://fichas.guia-cdn.example/mirada"},
    {"@type": "Optician", "name": "Second", "telephone": "977"}])"});
  page.url = "https://fichas.guia-cdn.example/mirada";
  // The summary page's hosts and the detail page's own are the directory's.
  const fields::DirectoryHosts summary("https://guia.example/madrid?p=1");
  const std::optional<Listing> listing = detailListing(page, summary);
  ASSERT_TRUE(listing.has_value());
  EXPECT_EQ((*listing)[Column::Name], "Mirada");
  EXPECT_EQ(listing->url(), "");

  page.jsonLd = {R"({"@type": "Optician", "name": "Mirada", "telephone": "976",
                    "url": "https://guia.example/ficha/mirada",
                    "sameAs": ["https://www.guia.example/m", "https://mirada.example/"]})"};
  EXPECT_EQ(detailListing(page, summary)->url(), "https://mirada.example/");
  page.jsonLd = {R"({"@type": "WebSite", "name": "Guia"})"};
  EXPECT_FALSE(detailListing(page, summary).has_value());
}

// Built from moved strings: GCC 12 at -O3 warns falsely on assigning a literal here.
Listing listing(std::string name, std::string activity = {}) {
  Listing out;
  out[Column::Name] = std::move(name);
  out[Column::Activity] = std::move(activity);
  return out;
}

TEST(PageSignature, EqualForTheSameSetOfListingsOnly) {
  const Listing a = listing("A"), b = listing("B");
  Extraction first, second, third;
  first.listings = {a, b};
  second.listings = {b, a, b};
  third.listings = {a};
  EXPECT_EQ(pageSignature(first), pageSignature(second));
  EXPECT_NE(pageSignature(first), pageSignature(third));
  EXPECT_EQ(pageSignature(first).size(), 32u);

  // the column boundaries count: "AB" + "" is not "A" + "B"
  Extraction one, other;
  one.listings = {listing("AB")};
  other.listings = {listing("A", "B")};
  EXPECT_NE(pageSignature(one), pageSignature(other));

  Extraction summary, otherSummary;
  summary.summaryUrls = {"https://x.example/1", "https://x.example/2"};
  otherSummary.summaryUrls = {"https://x.example/2", "https://x.example/1"};
  EXPECT_EQ(pageSignature(summary), pageSignature(otherSummary));
  EXPECT_NE(pageSignature(summary), pageSignature(first));
  EXPECT_EQ(pageSignature(Extraction{}), "");
}

}  // namespace
}  // namespace quillon::structured
