#include "fields/Country.h"
#include "fields/DirectoryHosts.h"
#include "fields/HostNames.h"

#include <gtest/gtest.h>

namespace quillon::fields {
namespace {

TEST(DirectoryHosts, NoPageOfTheDirectoryIsABusinessWebsite) {
  const DirectoryHosts pagesJaunes("https://www.pagesjaunes.fr/annuaire/paris-75/restaurants");
  EXPECT_FALSE(isBusinessWebsite("https://www.pagesjaunes.fr/pros/05416214", pagesJaunes));
  EXPECT_FALSE(isBusinessWebsite("HTTPS://PagesJaunes.fr./pros/05416214", pagesJaunes));
  EXPECT_FALSE(isBusinessWebsite("https://m.pagesjaunes.fr/pros/05416214#photos", pagesJaunes));
  EXPECT_TRUE(isBusinessWebsite("https://www.boulangerie-dupont.fr/", pagesJaunes));
  EXPECT_TRUE(isBusinessWebsite("http://user@dupont.example:8080/contact", pagesJaunes));

  const DirectoryHosts amarillas(
      "https://www.paginasamarillas.es/search/restaurantes/all-ma/madrid", {},
      {"https://fotos.pa-cdn.example/ficha/123.jpg"});
  EXPECT_FALSE(isBusinessWebsite("ficha/casa-pepe/123#mapa", amarillas));
  EXPECT_FALSE(
      isBusinessWebsite("https://www.paginasamarillas.es/ficha/casa-pepe/123#mapa", amarillas));
  EXPECT_FALSE(isBusinessWebsite("https://fotos.pa-cdn.example/ficha/124.jpg", amarillas));
  EXPECT_FALSE(isBusinessWebsite("mailto:info@casapepe.es", amarillas));
  EXPECT_FALSE(isBusinessWebsite("javascript:void(0)", amarillas));
  EXPECT_FALSE(isBusinessWebsite("tel:915551234", amarillas));
  EXPECT_TRUE(isBusinessWebsite("https://www.casapepe.es", amarillas));

  // The page is a mirror; its canonical link names the directory.
  const DirectoryHosts local("https://cache.example.net/page",
                             "https://www.localsearch.com.au/find/plumbers/cairns-qld");
  EXPECT_FALSE(isBusinessWebsite("https://localsearch.com.au/profile/dave-s-plumbing/123", local));
  EXPECT_TRUE(isBusinessWebsite("https://davesplumbing.com.au", local));
}

TEST(DirectoryHosts, RegistrableDomainKeepsTheCommonSecondLevelSuffixes) {
  EXPECT_EQ(registrableDomain("www.pagesjaunes.fr"), "pagesjaunes.fr");
  EXPECT_EQ(registrableDomain("www.localsearch.com.au"), "localsearch.com.au");
  EXPECT_EQ(registrableDomain("shop.casapepe.co.uk"), "casapepe.co.uk");
  EXPECT_EQ(registrableDomain("seccionamarilla.com.mx"), "seccionamarilla.com.mx");
  EXPECT_EQ(registrableDomain("a.b.example.com"), "example.com");
  EXPECT_EQ(registrableDomain("co.uk"), "co.uk");
  EXPECT_EQ(registrableDomain("192.168.1.20"), "192.168.1.20");
  // Two businesses under one second-level suffix are two sites.
  const DirectoryHosts yell("https://www.yell.co.uk/s/plumbers-london.html");
  EXPECT_TRUE(isBusinessWebsite("https://www.smithplumbing.co.uk", yell));
}

TEST(DirectoryHosts, AWebAddressWrittenAsTextNamesItsHost) {
  EXPECT_EQ(webAddressHost("www.CasaPepe.es"), "www.casapepe.es");
  EXPECT_EQ(webAddressHost("casapepe.es/contacto"), "casapepe.es");
  EXPECT_EQ(webAddressHost("https://casapepe.es/"), "casapepe.es");
  for (const char* text : {"info@casapepe.es", "Casa Pepe S.L.", "J.Smith", "logo.png",
                           "Visit www.casapepe.es", "ficha/123#mapa"}) {
    EXPECT_EQ(webAddressHost(text), "") << text;
  }
}

struct CountryCase {
  CountryClues clues;
  const char* country;
};

TEST(PageCountry, TheDirectoryThenTheDomainThenTheLanguage) {
  const CountryCase cases[] = {
      {{"es", "https://www.example.fr/", "", "fr-FR"}, "ES"},
      {{"", "https://www.pagesjaunes.fr/x", "", "en"}, "FR"},
      {{"", "https://www.yellowpages.com.au/find", "", ""}, "AU"},
      {{"", "https://www.yell.co.uk/s", "", ""}, "GB"},
      {{"", "https://cache.example.com/p", "https://www.paginegialle.it/roma", ""}, "IT"},
      {{"", "https://www.example.com/", "", "es-MX"}, "MX"},
      {{"", "https://www.example.com/", "", "en_AU"}, "AU"},
      {{"", "https://www.example.com/", "", "zh-Hant-TW"}, "TW"},
      {{"", "https://www.example.io/", "", "it"}, "IT"},
      {{"", "https://www.example.com/", "", "el"}, "GR"},
      {{"", "https://www.example.com/", "", "en"}, ""},
      {{"", "https://www.example.com/", "", "es-419"}, ""},
      {{"", "", "", ""}, ""},
  };
  for (const CountryCase& c : cases) {
    SCOPED_TRACE(std::string(c.clues.pageUrl) + " " + std::string(c.clues.language));
    EXPECT_EQ(pageCountry(c.clues), c.country);
  }
}

}  // namespace
}  // namespace quillon::fields
