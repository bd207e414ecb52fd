#include "EntryTestUtil.h"
#include "parsers/AmarillasESEntry.h"

#include <gtest/gtest.h>

namespace quillon::parsers {
namespace {

using testing::block;
using testing::w;

TAmarillasESEntry run(std::string_view utf8Lines) {
  TAmarillasESEntry entry(block(utf8Lines));
  entry.Execute();
  return entry;
}

TEST(AmarillasES, WorkedExample) {
  const auto e =
      run("rg: Fontanería Ejemplo\n"
          "activ: Fontaneros: Instalaciones y reparaciones\n"
          "adr: Calle del Ejemplo 10, 28100 Alcobendas (Madrid)\n"
          "locality: Alcobendas\n"
          "postal-code: 28100\n"
          "Teléfono: 999 123 456\n"
          "+-+or");
  EXPECT_EQ(e.Name, w("Fontanería Ejemplo"));
  EXPECT_EQ(e.Activity, w("Fontaneros"));
  EXPECT_EQ(e.Activity2, w("Instalaciones y reparaciones"));
  EXPECT_EQ(e.Phone, w("999 123 456"));
  EXPECT_EQ(e.Zip, w("28100"));
  EXPECT_EQ(e.City, w("Alcobendas"));
  EXPECT_EQ(e.Street, w("Calle del Ejemplo 10, "));
  EXPECT_EQ(e.Province, w("Madrid"));
  EXPECT_EQ(e.Url, u"");
  EXPECT_EQ(e.Email, u"");
  EXPECT_EQ(e.Text, block("<NAME>\n<ACTIVITIES>\n<STREET><PROVINCE>\nlocality: <CITY>\n"
                          "postal-code: <ZIP>\n<PHONE>\n+-+or"));
}

TEST(AmarillasES, EmptyBlockKeepsEverythingEmpty) {
  const auto e = run("");
  for (const auto& field : TAmarillasESEntry::Fields)
    EXPECT_EQ(e.*(field.member), u"") << field.name;
}

TEST(AmarillasES, NameEndsAtTheFirstCharacterOutsideItsSet) {
  const auto e = run("rg: Talleres Ejemplo, S.A.\n");
  EXPECT_EQ(e.Name, w("Talleres Ejemplo"));
  EXPECT_EQ(e.Text, block("<NAME>, S.A.\n"));
  EXPECT_EQ(run("rg: Bar L'Avenc\n").Name, w("Bar L"));
}

TEST(AmarillasES, ActivitySplits) {
  auto e = run("activ: Bares y restaurantes\n");
  EXPECT_EQ(e.Activity, w("Bares y"));
  EXPECT_EQ(e.Activity2, w("restaurantes"));
  e = run("activ: Pintores / Decoración\n");
  EXPECT_EQ(e.Activity, w("Pintores "));
  EXPECT_EQ(e.Activity2, w("Decoración"));
  e = run("activ: Pintores: \n");
  EXPECT_EQ(e.Activity, w("Pintores"));
  EXPECT_EQ(e.Activity2, u"");
  e = run("activ: Bares\n");
  EXPECT_EQ(e.Activity, u"");
  EXPECT_EQ(e.Activity2, u"");
  EXPECT_EQ(e.Text, block("activ: Bares\n"));
}

TEST(AmarillasES, PhoneNeedsThreeGroupsOfThree) {
  EXPECT_EQ(run("Teléfono: 999 123 456\n").Phone, w("999 123 456"));
  const auto e = run("Teléfono: 999123456\n");
  EXPECT_EQ(e.Phone, u"");
  EXPECT_EQ(e.Text, block("Teléfono: 999123456\n"));
  EXPECT_EQ(run("Teléfono: 99 123 4567\n").Phone, u"");
}

TEST(AmarillasES, ProductsOverwriteTheActivity) {
  const auto e = run("activ: Bares y restaurantes\nProducts: Tapas y vinos \n");
  EXPECT_EQ(e.Activity, w("Tapas y vinos"));
  EXPECT_EQ(e.Activity2, w("restaurantes"));
}

TEST(AmarillasES, ProvinceEqualToLocalityIsLost) {
  const auto e =
      run("adr: Gran Vía 1, 28001 Madrid (Madrid)\nlocality: Madrid\npostal-code: 28001\n");
  EXPECT_EQ(e.City, w("Madrid"));
  EXPECT_EQ(e.Province, u"");
  EXPECT_EQ(e.Street, w("Gran Vía 1, "));
}

TEST(AmarillasES, PostalCodeElsewhereCutsTheStreet) {
  const auto e =
      run("adr: Calle 28100 Norte, 28100 Alcobendas (Madrid)\nlocality: Alcobendas\n"
          "postal-code: 28100\n");
  EXPECT_EQ(e.Street, w("Calle "));
  EXPECT_EQ(e.Province, w("Madrid"));
}

TEST(AmarillasES, LinkAndEmailFinders) {
  const auto e =
      run("rg: Talleres Ejemplo S.L.\nurl: www.talleres-ejemplo.es\nmail: info@talleres.es\n+-+or");
  EXPECT_EQ(e.Url, w("www.talleres-ejemplo.es"));
  EXPECT_EQ(e.Email, w("info@talleres.es"));
  EXPECT_EQ(e.Name, w("Talleres Ejemplo S.L."));
  EXPECT_EQ(e.Text, block("<NAME>\nurl: <URL>\nmail: info@talleres.es\n+-+or"));
}

TEST(AmarillasES, TheNextListingsContainerLendsNoWebAddressOrEmail) {
  const char* next =
      "vcard rest ig: Cafeter\u00eda Sol\nwww.cafeteriasol.es\nhola@cafeteriasol.es\n+-+or";
  const auto bare = run(std::string("rg: Bar Los Pinos\nTel\u00e9fono: 913 562 201\n") + next);
  EXPECT_EQ(bare.Url, w(""));
  EXPECT_EQ(bare.Email, w(""));
  EXPECT_EQ(bare.Phone, w("913 562 201"));
  const auto own = run(std::string("rg: Bar Los Pinos\nurl: www.barlospinos.es\n"
                                   "mail: reservas@barlospinos.es\n") +
                       next);
  EXPECT_EQ(own.Url, w("www.barlospinos.es"));
  EXPECT_EQ(own.Email, w("reservas@barlospinos.es"));
  // A container line further down changes nothing: only the first one cuts.
  const auto text = run("rg: Bar Uno\nvcard rest ig x\nurl: www.baruno.es\n+-+or");
  EXPECT_EQ(text.Url, w("www.baruno.es"));
}

TEST(AmarillasES, CharactersOutsideCp1252) {
  // A Cyrillic letter has no stand-in and arrives as "?"; ā has one and becomes "a".
  const auto e = run("rg: Caf\xC3\xA9 \xD0\x96 M\xC4\x81ria\n");
  EXPECT_EQ(e.Name, w("Café "));
  EXPECT_EQ(e.Text, block("<NAME>? Maria\n"));
}

TEST(AmarillasES, TextWithoutReplacementKeepsItsCharacters) {
  // Nothing was replaced, so the working text was never narrowed.
  const auto e = run("\xD0\x96 nothing to see\n");
  EXPECT_EQ(e.Text, block("\xD0\x96 nothing to see\n"));
}

TEST(AmarillasES, HostileBlocksEndQuickly) {
  const std::u16string letters(1 << 20, u'x');
  TAmarillasESEntry e(letters);
  e.Execute();
  EXPECT_EQ(e.Name, u"");
  EXPECT_EQ(e.Text, letters);

  TAmarillasESEntry separators(u"+-+");
  separators.Execute();
  EXPECT_EQ(separators.Text, u"+-+");

  std::u16string nul = u"rg: A";
  nul.push_back(u'\0');
  nul += u"B\r\n";
  TAmarillasESEntry withNul(nul);
  withNul.Execute();
  EXPECT_EQ(withNul.Name, u"A");
}

}  // namespace
}  // namespace quillon::parsers
