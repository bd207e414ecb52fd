#include "EntryTestUtil.h"
#include "parsers/YellowPagesCAEntry.h"

#include <gtest/gtest.h>

namespace quillon::parsers {
namespace {

using testing::block;
using testing::w;

TYellowPagescaentry run(std::string_view utf8Lines) {
  TYellowPagescaentry entry(block(utf8Lines));
  entry.Execute();
  return entry;
}

TEST(YellowPagesCA, ParsesARealisticListing) {
  const auto e =
      run("istingTitle: Joe's Diner\n"
          "address: 100 Main St , Toronto , ON M5V 2T6\n"
          "phoneNumber: 416-555-0100\n"
          "par: FAX\n"
          "hiLiteThis: 416-555-0199\n"
          "listingLink: www.joesdiner.ca\n"
          "categoryList: Category : Restaurants\n"
          "+-+li");
  EXPECT_EQ(e.Name, w("Joe's Diner"));
  EXPECT_EQ(e.Zip, w("ON M5V 2T6"));
  EXPECT_EQ(e.City, w("Toronto"));
  EXPECT_EQ(e.Street, w("100 Main St"));
  EXPECT_EQ(e.Phone, w("416-555-0100"));
  EXPECT_EQ(e.Fax, w("416-555-0199"));
  EXPECT_EQ(e.Url, w("www.joesdiner.ca"));
  EXPECT_EQ(e.Products, w("Restaurants"));
  EXPECT_EQ(e.Text, block("ist<NAME>\n<STREET>\n<PHONE>\npar: <FAX>\nlistingLink: <URL>\n"
                          "categoryList: <PRODUCTS>\n+-+li"));
}

TEST(YellowPagesCA, TheNextListingsContainerLendsNoWebAddressOrEmail) {
  const char* next =
      "vcard rest ig: Boulangerie Ch\u00e2teau\nwww.boulangeriechateau.ca\n"
      "commandes@boulangeriechateau.ca\n+-+li";
  const auto bare = run(std::string("istingTitle: Maple Leaf Bakery\n"
                                    "phoneNumber: 416-555-0198\n") +
                        next);
  EXPECT_EQ(bare.Url, w(""));
  EXPECT_EQ(bare.Email, w(""));
  const auto own = run(std::string("istingTitle: Maple Leaf Bakery\n"
                                   "listingLink: www.mapleleafbakery.ca\n"
                                   "info: orders@mapleleafbakery.ca\n") +
                       next);
  EXPECT_EQ(own.Url, w("www.mapleleafbakery.ca"));
  EXPECT_EQ(own.Email, w("orders@mapleleafbakery.ca"));
  // Only the found values become placeholders, wherever they stand.
  EXPECT_NE(own.Text.find(w("commandes@boulangeriechateau.ca")), std::u16string::npos);
}

TEST(YellowPagesCA, PlainCommaSeparatorsGiveNoLocality) {
  const auto e = run("istingTitle: X\naddress: 100 Main St, Toronto, ON M5V2T6\n");
  EXPECT_EQ(e.Zip, w("ON M5V2T6"));
  EXPECT_EQ(e.City, u"");
  EXPECT_EQ(e.Street, u"");
}

TEST(YellowPagesCA, FaxOnlyRightAfterAFaxLine) {
  EXPECT_EQ(run("par: Fax: FAX\nhiLiteThis: 416-555-0199\n").Fax, w("416-555-0199"));
  EXPECT_EQ(run("par: FAX\npar: x\nhiLiteThis: 416-555-0199\n").Fax, u"");
  EXPECT_EQ(run("par: FAX \nhiLiteThis: 416-555-0199\n").Fax, u"");
}

TEST(YellowPagesCA, EmailWithoutWebAddress) {
  const auto e = run("istingTitle: Joe\npar: info@joesdiner.ca\n");
  EXPECT_EQ(e.Url, w("joesdiner.ca"));
  EXPECT_EQ(e.Email, w("info@joesdiner.ca"));
  EXPECT_EQ(e.Text, block("ist<NAME>\npar: info@<URL>\n"));
}

TEST(YellowPagesCA, EmailReplacedWhenItSurvivesTheLinkStep) {
  const auto e =
      run("istingTitle: Joe\nlistingLink: www.joesdiner.ca\npar: joe@diner.example.ca\n");
  EXPECT_EQ(e.Url, w("www.joesdiner.ca"));
  EXPECT_EQ(e.Email, w("joe@diner.example.ca"));
  EXPECT_EQ(e.Text, block("ist<NAME>\nlistingLink: <URL>\npar: <@MAIL>\n"));
}

}  // namespace
}  // namespace quillon::parsers
