#include "webfetch/ContactLinks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quillon::webfetch::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::string_view kHome = "http://www.rossi.test/";

std::vector<std::string> chosen(std::vector<PageLinkText> links,
                                std::string_view siteHost = "rossi.test") {
  return contactPageLinks(links, kHome, siteHost);
}

TEST(ContactLinks, TakesTheLinksThatNameAContactOrAboutPageByTextOrAddress) {
  const struct {
    PageLinkText link;
    bool taken;
  } cases[] = {
      {{"http://www.rossi.test/p1", "Contact us"}, true},
      {{"http://www.rossi.test/p2", "CONTACTO"}, true},
      {{"http://www.rossi.test/p3", "Contatti"}, true},
      {{"http://www.rossi.test/p4", "Kontakt"}, true},
      {{"http://www.rossi.test/p5", "Nous\xC2\xA0 contacter"}, true},
      {{"http://www.rossi.test/p6", "About"}, true},
      {{"http://www.rossi.test/p7", "Chi siamo"}, true},
      {{"http://www.rossi.test/p8", "QUI\xC3\x89NES SOMOS"}, true},
      {{"http://www.rossi.test/p9", "Impressum"}, true},
      {{"http://www.rossi.test/p10", "Quienes somos"}, false},  // accents as written
      {{"http://www.rossi.test/p11", "Products"}, false},
      {{"http://www.rossi.test/chi-siamo.html", "x"}, true},
      {{"http://www.rossi.test/chisiamo", "x"}, true},
      {{"http://www.rossi.test/qui%C3%A9nes_somos", "x"}, true},
      {{"http://www.rossi.test/index.php?page=contatti", "x"}, true},
      {{"http://www.rossi.test/Kontakt/", "x"}, true},
      {{"http://www.rossi.test/#contact", "x"}, false},  // the home page itself
  };
  for (const auto& [link, taken] : cases) {
    const std::vector<std::string> links = chosen({link});
    EXPECT_EQ(links.size(), taken ? 1u : 0u) << link.href << " " << link.text;
  }
}

TEST(ContactLinks, KeepsToTheSameSiteOverHttp) {
  EXPECT_THAT(chosen({
                  {"http://other.test/contact", "Contact"},
                  {"http://www.rossi.test.other.test/contact", "Contact"},
                  {"http://www.rossi.test@other.test/contact", "Contact"},
                  {"https://shop.rossi.test/contact", "Contact"},
                  {"mailto:info@rossi.test", "Contact"},
                  {"ftp://rossi.test/contact", "Contact"},
                  {"javascript:contact()", "Contact"},
              }),
              IsEmpty());
  // A host name is no page name.
  EXPECT_THAT(contactPageLinks({{"http://www.contact-rossi.test/shop", "x"}},
                               "http://www.contact-rossi.test/", "contact-rossi.test"),
              IsEmpty());
  EXPECT_THAT(chosen({{"https://rossi.test:8443/contact", "x"}}),
              ElementsAre("https://rossi.test:8443/contact"));
  // The host of the page reached after redirects counts as the site as well.
  EXPECT_THAT(chosen({{"http://rossi-srl.test/about", "x"}, {"http://www.rossi.test/about", "y"}},
                     "rossi-srl.test"),
              ElementsAre("http://rossi-srl.test/about", "http://www.rossi.test/about"));
}

TEST(ContactLinks, TakesAtMostTwoInTheOrderOfThePageWithoutRepeatsOrFragments) {
  EXPECT_THAT(chosen({
                  {"http://www.rossi.test/shop", "Shop"},
                  {"http://www.rossi.test/about#team", "About"},
                  {"http://www.rossi.test/about", "About us"},
                  {"http://rossi.test/contatti", "Scrivici"},
                  {"http://www.rossi.test/impressum", "Impressum"},
              }),
              ElementsAre("http://www.rossi.test/about", "http://rossi.test/contatti"));
}

}  // namespace
}  // namespace quillon::webfetch::testing
