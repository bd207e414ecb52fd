// One row per business from a page's schema.org listings and its detected cards.

#include "capture/ListingUnion.h"

#include <gtest/gtest.h>

namespace quillon::capture {
namespace {

using structured::Column;
using structured::Listing;

Listing listing(const std::string& name, const std::string& phone, const std::string& street,
                const std::string& zip, const std::string& web = {}) {
  Listing out;
  out[Column::Name] = name;
  out[Column::Telephone] = phone;
  out[Column::Street] = street;
  out[Column::PostalCode] = zip;
  out[Column::Url] = web;
  return out;
}

TEST(ListingUnion, FillsAListingsEmptyColumnsFromItsCardAndKeepsCardsOfItsOwn) {
  // Thin structured data: names and abbreviated streets, no telephones.
  const std::vector<Listing> listings = {
      listing("Boulangerie Martin", "", "240 r Fbg St Antoine", "75012"),
      listing("Au Pain Doré", "", "18 av Daumesnil", "75012")};
  const std::vector<Listing> cards = {
      listing("Maison Lefèvre", "01 43 44 18 60", "52 boulevard Diderot", "75012"),
      listing("au pain  DORÉ", "01 43 07 55 21", "18 avenue Daumesnil", "75012"),
      listing("Boulangerie Martin", "01 43 43 12 34", "240 rue du Faubourg Saint-Antoine", "75012",
              "https://www.boulangerie-martin.example/")};
  const std::vector<Listing> rows = unionByBusiness(listings, cards);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][Column::Telephone], "01 43 43 12 34");
  EXPECT_EQ(rows[0][Column::Street], "240 r Fbg St Antoine");  // the listing's own value stays
  EXPECT_EQ(rows[0][Column::Url], "https://www.boulangerie-martin.example/");
  EXPECT_EQ(rows[1][Column::Name], "Au Pain Doré");
  EXPECT_EQ(rows[1][Column::Telephone], "01 43 07 55 21");
  EXPECT_EQ(rows[2][Column::Name], "Maison Lefèvre");
}

TEST(ListingUnion, KeepsBranchesOfOneNameApart) {
  // Same name, telephones that differ (the prefix aside, the same number matches).
  const std::vector<Listing> rows = unionByBusiness(
      {listing("Pizza Roma", "+34 915 551 234", "", ""), listing("Pizza Roma", "", "", "")},
      {listing("Pizza Roma", "915 559 999", "Calle Sol 1", "28001"),
       listing("Pizza Roma", "915 551 234", "Calle Luna 2", "28002")});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][Column::Street], "Calle Luna 2");
  // Nothing tells the second listing from the first card: two of the name, so no match.
  EXPECT_EQ(rows[1][Column::Street], "");
  EXPECT_EQ(rows[2][Column::Street], "Calle Sol 1");
  // A name alone matches where there is one listing and one card of it.
  const auto alone = unionByBusiness({listing("Bar Pepe", "", "", "")},
                                     {listing("Bar Pepe", "91 555 12 34", "", "")});
  ASSERT_EQ(alone.size(), 1u);
  EXPECT_EQ(alone[0][Column::Telephone], "91 555 12 34");
  // Different postal codes are different businesses.
  EXPECT_EQ(unionByBusiness({listing("Bar Pepe", "", "", "28001")},
                            {listing("Bar Pepe", "", "", "28002")})
                .size(),
            2u);
}

}  // namespace
}  // namespace quillon::capture
