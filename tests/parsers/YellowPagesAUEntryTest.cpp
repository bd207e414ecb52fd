#include "EntryTestUtil.h"
#include "parsers/YellowPagesAUEntry.h"

#include <gtest/gtest.h>

namespace quillon::parsers {
namespace {

using testing::block;
using testing::w;

TYellowPagesAUentry run(std::string_view utf8Lines) {
  TYellowPagesAUentry entry(block(utf8Lines));
  entry.Execute();
  return entry;
}

TEST(YellowPagesAU, ParsesARealisticListing) {
  const auto e =
      run("istingName: Joe's Plumbing\n"
          "address: 12 George Street Parramatta NSW 2150\n"
          "phoneNumber: ph: (02) 9876 5432 \n"
          "URL: <a href=\"/clk?webSite=http%3A%2F%2Fwww.joesplumbing.com.au&amp;lid=7\">Website</a>"
          "<a href=\"mailto:joe@joesplumbing.com.au\">Email</a>\n"
          "Category : Plumbers & Gasfitters\n"
          "Keyword : blocked drains\n"
          "+-+li");
  EXPECT_EQ(e.Name, w("Joe's Plumbing"));
  EXPECT_EQ(e.Phone, w("(02) 9876 5432 "));
  EXPECT_EQ(e.Zip, w("NSW 2150"));
  EXPECT_EQ(e.City, w("Parramatta"));
  EXPECT_EQ(e.Street, w("12 George Street"));
  EXPECT_EQ(e.Url, w("www.joesplumbing.com.au"));
  EXPECT_EQ(e.Email, w("joe@joesplumbing.com.au"));
  EXPECT_EQ(e.Products, w("Plumbers & Gasfitters"));
  EXPECT_EQ(e.Keywords, w("blocked drains"));
  // Only the name itself is replaced; the label stays.
  EXPECT_EQ(e.Text.substr(0, 18), w("istingName: <NAME>"));
}

TEST(YellowPagesAU, MultiWordLocalityYieldsItsLastWord) {
  const auto e = run("istingName: Cafe\naddress: 5 Pitt St Surry Hills NSW 2010\n");
  EXPECT_EQ(e.Zip, w("NSW 2010"));
  EXPECT_EQ(e.City, w("Hills"));
  EXPECT_EQ(e.Street, w("5 Pitt St Surry"));
}

TEST(YellowPagesAU, LocalityRepeatedInTheStreet) {
  const auto e = run("istingName: Cafe\naddress: 5 Sydney Rd Sydney NSW 2000\n");
  EXPECT_EQ(e.City, w("Sydney"));
  EXPECT_EQ(e.Street, w("5"));
}

TEST(YellowPagesAU, WebAddressFormsThatAreNotFound) {
  for (const char* encoded : {"www.joes-plumbing.com.au", "www.joes1.com.au", "www.Joes.com.au",
                              "www.joes.com.au%2Fcontact"}) {
    const auto e = run(std::string("istingName: X\nURL: <a href=\"/c?webSite=http%3A%2F%2F") +
                       encoded + "&amp;\">Website</a>\n");
    EXPECT_EQ(e.Url, u"") << encoded;
  }
}

TEST(YellowPagesAU, FaxAndNameCapitalsAreNotAPostalCode) {
  const auto e =
      run("istingName: ABC 1234 Removals\n"
          "phoneNumber: (029) 876 5432 (fax) \n"
          "address: 1 Lane Cove Rd Lane Cove NSW 2066\n");
  EXPECT_EQ(e.Name, w("ABC 1234 Removals"));
  EXPECT_EQ(e.Fax, w("(029) 876 5432"));
  EXPECT_EQ(e.Zip, w("NSW 2066"));
  EXPECT_EQ(e.City, w("Cove"));
}

}  // namespace
}  // namespace quillon::parsers
