#include "fields/Country.h"
#include "fields/Kinds.h"

#include <gtest/gtest.h>

namespace quillon::fields {
namespace {

using K = Kind;

std::string describe(KindSet kinds) {
  std::string out;
  for (std::size_t k = 0; k < kKindCount; ++k) {
    if (kinds.has(static_cast<Kind>(k)))
      out += std::string(out.empty() ? "" : ", ") + std::string(kindName(static_cast<Kind>(k)));
  }
  return "{" + out + "}";
}

struct KindsCase {
  const char* value;
  KindSet kinds;
};

TEST(KindsOf, SaysEveryKindAValueCanBe) {
  const PageContext page{"ES", DirectoryHosts("https://www.paginasamarillas.es/search/x")};
  const KindsCase cases[] = {
      {"Tel. 91 555 12 34", {K::Telephone}},
      {"tel:915551234", {K::Telephone}},
      {"mailto:info@casapepe.es", {K::Email}},
      {"E-mail: info@casapepe.es", {K::Email}},
      {"https://www.casapepe.es/", {K::Web}},
      {"www.casapepe.es", {K::Web}},
      {"https://www.paginasamarillas.es/ficha/casa-pepe/123#mapa", {}},
      {"javascript:void(0)", {}},
      {"28013 Madrid", {K::PostalCode, K::Locality}},
      {"28013", {K::PostalCode}},
      {"Calle Mayor 5, 28013 Madrid (Madrid)",
       {K::Street, K::PostalCode, K::Locality, K::Province}},
      {"Calle Mayor 5", {K::Street}},
      {"Madrid", {K::Name, K::Locality, K::Province}},
      {"San Sebastián de los Reyes", {K::Name, K::Locality}},
      {"Casa Pepe", {K::Name, K::Locality, K::Province}},
      {"Restaurante Casa Pepe Hermanos de la Costa", {K::Name}},
      {"Ver teléfono", {}},
      {"25 €", {}},
      {"   ", {}},
  };
  for (const KindsCase& c : cases) {
    EXPECT_EQ(describe(kindsOf(c.value, page)), describe(c.kinds)) << c.value;
  }
}

TEST(KindsOf, AValueOfAnotherKindIsNotOfTheColumnsKind) {
  // A card with a map link and a mail link but no website, read into the columns.
  const std::string pageUrl = "https://www.paginasamarillas.es/search/restaurantes/all-ma/madrid";
  const PageContext page{pageCountry({.pageUrl = pageUrl, .language = "es-ES"}),
                         DirectoryHosts(pageUrl)};
  ASSERT_EQ(page.country, "ES");
  const auto column = [&](std::size_t index, std::string_view value) {
    return isOfKind(value, *kindOfColumn(index), page);
  };
  EXPECT_FALSE(column(3, "mailto:info@casapepe.es"));  // telephone
  EXPECT_FALSE(column(8, "mailto:info@casapepe.es"));  // web
  EXPECT_FALSE(column(8, "https://www.paginasamarillas.es/ficha/casa-pepe/123#mapa"));
  EXPECT_FALSE(column(5, "Calle Mayor 5"));    // postal code
  EXPECT_FALSE(column(0, "Mostra telefono"));  // name
  EXPECT_TRUE(column(3, "tel:+34%20915%20551%20234"));
  EXPECT_TRUE(column(2, "Fax 91 555 12 35"));
  EXPECT_TRUE(column(9, "mailto:info@casapepe.es"));
  EXPECT_TRUE(column(8, "https://www.casapepe.es"));
  EXPECT_TRUE(column(4, "Calle Mayor 5"));
  EXPECT_FALSE(kindOfColumn(1));  // the activity can be any text
  EXPECT_FALSE(kindOfColumn(10));
}

TEST(LooksLikeName, HeadingsAndLinkTextsThatAreNoOtherField) {
  for (const char* name : {"Casa Pepe", "Ristorante Da Mario", "Studio 54", "Bar Calle Mayor",
                           "Boulangerie Dupont & Fils", "Κάβα Παπαδόπουλος", "Kawiarnia Żółta",
                           "Ресторан Пушкин", "Öz Urfa Kebap Salonu", "Dave's Plumbing Pty Ltd"}) {
    EXPECT_TRUE(looksLikeName(name)) << name;
  }
  for (const char* other : {"Show phone",
                            "Ver teléfono",
                            "Mostra telefono",
                            "Afficher le numéro",
                            "Telefon anzeigen",
                            "Website",
                            "More info ›",
                            "» Directions",
                            "Pokaż numer",
                            "91 555 12 34",
                            "info@casapepe.es",
                            "www.casapepe.es",
                            "https://www.casapepe.es",
                            "Desde 25 €",
                            "$1,200",
                            "12/03/2024",
                            "Abierto hasta las 23:30",
                            "Calle Mayor 5",
                            "28013 Madrid",
                            "00198 Roma (RM)",
                            "Pizzeria Roma Tel. 06 1234567",
                            "A",
                            "1234 5678 ab"}) {
    EXPECT_FALSE(looksLikeName(other)) << other;
  }
}

}  // namespace
}  // namespace quillon::fields
