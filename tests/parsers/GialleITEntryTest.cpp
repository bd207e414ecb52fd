#include "EntryTestUtil.h"
#include "parsers/GialleITEntry.h"

#include <gtest/gtest.h>

namespace quillon::parsers {
namespace {

using testing::block;
using testing::w;

TGialleITEntry run(std::string_view utf8Lines) {
  TGialleITEntry entry(block(utf8Lines));
  entry.Execute();
  return entry;
}

// The listing's markup first (the walker writes the inner HTML of the "vcard clearfix"
// element after the separator), then one line per element of a known class.
constexpr std::string_view kListing =
    " <h2 class=\"org orange\">Trattoria da Mario</h2><a class=\"scheda\" "
    "href=\"/go?url=www.paginegialle.it/roma/trattoria-da-mario\">Scheda</a>"
    "<span class=\"tel\">06 1234567</span><a href=\"/mappa\">Mappa</a>\n"
    "org orange: Trattoria da Mario\n"
    "tel: 06 1234567\n"
    "street-address: Via del Corso 12\n"
    "postal-code: 00186\n"
    "locality: Roma\n"
    "region: (RM)\n"
    "Categoria: Ristoranti e trattorie \n"
    "+-+: ";

TEST(GialleIT, ParsesARealisticListing) {
  const auto e = run(kListing);
  EXPECT_EQ(e.Name, w("Trattoria da Mario"));
  EXPECT_EQ(e.Phone, w("06 1234567"));
  EXPECT_EQ(e.Street, w("Via del Corso 12"));
  EXPECT_EQ(e.Zip, w("00186"));
  EXPECT_EQ(e.City, w("Roma"));
  EXPECT_EQ(e.Province, w("RM"));
  EXPECT_EQ(e.Products, w("Ristoranti e trattorie"));
  EXPECT_EQ(e.Fax, u"");
  EXPECT_EQ(e.Email, u"");
}

TEST(GialleIT, UrlRunsToTheLastTagAndIsCutAtTheFirst) {
  const auto e = run(kListing);
  EXPECT_EQ(e.Url, w("http://www.paginegialle.it/roma/trattoria-da-mario"));
  // Only the full address would be replaced; the block holds the "url=" form.
  EXPECT_NE(e.Text.find(w("url=www.paginegialle.it/roma/trattoria-da-mario")),
            std::u16string::npos);
}

TEST(GialleIT, CutRightAfterTheHostKeepsNoSlash) {
  // A path that begins with ">": the cut drops the ">" and the "/" in front of it.
  EXPECT_EQ(run(" <a href=\"/go?url=www.paginegialle.it/>x\">Scheda</a>\n").Url,
            w("http://www.paginegialle.it"));
}

TEST(GialleIT, NoLinkParameterNoUrl) {
  const auto e = run(" <span>Bar Sport</span>\norg: Bar Sport\ntel: 02 7654321\n");
  EXPECT_EQ(e.Url, u"");
  EXPECT_EQ(e.Name, w("Bar Sport"));
  EXPECT_EQ(e.Phone, w("02 7654321"));
}

TEST(GialleIT, StreetHoldingTheLocalityEndsThere) {
  const auto e = run("org: Pizzeria\nstreet-address: Via Roma 1\nlocality: Roma\n");
  EXPECT_EQ(e.City, w("Roma"));
  EXPECT_EQ(e.Street, w("Via "));
  EXPECT_EQ(e.Text, block("<NAME>\n<STREET><CITY> 1\nlocality: <CITY>\n"));
}

TEST(GialleIT, FaxAndEmailFromTheBlock) {
  const auto e = run("org: Hotel Sole\ntel: 0541 123456\nfax:0541 654321\ninfo@hotelsole.it\n");
  EXPECT_EQ(e.Fax, w("0541 654321"));
  EXPECT_EQ(e.Phone, w("0541 123456"));
  EXPECT_EQ(e.Email, w("info@hotelsole.it"));
}

TEST(GialleIT, NameFromWhicheverLineComesFirst) {
  EXPECT_EQ(run("org: Primo\norg orange: Secondo\n").Name, w("Primo"));
  EXPECT_EQ(run("org orange: L'Angolo & C.\norg: Altro\n").Name, w("L'Angolo & C."));
}

}  // namespace
}  // namespace quillon::parsers
