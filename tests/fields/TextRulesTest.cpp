#include "fields/StreetShape.h"
#include "fields/TextScan.h"
#include "fields/TextShapes.h"
#include "fields/WordList.h"
#include "fields/Words.h"
#include "parsers/RegExpr.h"

#include <gtest/gtest.h>

namespace quillon::fields {
namespace {

TEST(TextScan, MalformedBytesAreOneCharacterEachAndNeverALetter) {
  const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xC3(\xED\xA0\x80\xC0\xAF";
  std::vector<std::pair<char32_t, std::size_t>> read;
  for (std::size_t i = 0; i < text.size(); i += decodeAt(text, i).length) {
    read.emplace_back(decodeAt(text, i).value, decodeAt(text, i).length);
  }
  const std::vector<std::pair<char32_t, std::size_t>> expected = {
      {U'a', 1},   {U'é', 2},   {U'€', 3},   {0x1F600, 4}, {0xFFFD, 1}, {U'(', 1},
      {0xFFFD, 1}, {0xFFFD, 1}, {0xFFFD, 1}, {0xFFFD, 1},  {0xFFFD, 1}};
  EXPECT_EQ(read, expected);
  EXPECT_EQ(decodeBefore(text, 3).value, U'é');
  EXPECT_EQ(decodeBefore(text, 10).value, 0x1F600u);
  EXPECT_EQ(decodeBefore(text, 11).value, 0xFFFDu);  // a lead byte alone
  EXPECT_FALSE(isLetter(0xFFFD));
  EXPECT_FALSE(isWordChar(0xFFFD));
}

TEST(TextScan, ClassesFollowUnicode) {
  for (const char32_t letter : {U'ż', U'Σ', U'ж', U'İ', U'ß', U'ا'}) EXPECT_TRUE(isLetter(letter));
  EXPECT_TRUE(isWordChar(U'٣'));  // an Arabic-Indic digit is \w, not an ASCII digit
  EXPECT_FALSE(isAsciiDigit(U'٣'));
  for (const char32_t space : {U'\u00A0', U'\u202F', U'\u3000', U'\t'}) {
    EXPECT_TRUE(isHorizontalSpace(space));
  }
  EXPECT_TRUE(isVerticalSpace(U'\u2028'));
  EXPECT_EQ(trimSpaces("\u00A0\u2003 Casa Pepe\n\u202F"), "Casa Pepe");
  EXPECT_EQ(lookupForm("  Ver   TELÉFONO "), "ver telefono");
  EXPECT_EQ(lookupForm("Εμφάνιση Τηλεφώνου"), "εμφανιση τηλεφωνου");
}

// The lists as the recognisers see them and as the patterns written for the teacher do.
TEST(WordList, AWordIsFoundAsItsPatternFindsIt) {
  const std::pair<const WordList*, std::vector<const char*>> lists[] = {
      {&streetWordList(),
       {"Calle Mayor", "CALLE", "Callejón del Gato", "St Kilda", "Street", "Str. 5", "ΟΔΌΣ Αθηνάς",
        "Οδός", "ул. Тверская", "STRASSE", "straße", "Stalingrad", "c/ Mayor", "c/Mayor"}},
      {&labelWordList(),
       {"Tel.", "Telford", "TÉL :", "Phone", "Phoney", "E-mail:", "Τηλ.", "Тел."}},
      {&countryNameList(), {"France", "Francia, Italia", "Frankfurt", "United States", "USA"}},
      {&postalLabelList(), {"C.P. 06600", "c.p. 06600", "CP06600", "PLZ 10115", "Τ.Κ. 105 64"}},
  };
  for (const auto& [list, texts] : lists) {
    std::string anchored = "^";
    anchored += list->alternation();
    if (list != &postalLabelList()) anchored += "(?![\\p{L}\\p{N}_])";
    parsers::RegExpr pattern(anchored, parsers::RegExpr::Syntax::Utf8);
    for (const char* text : texts) {
      EXPECT_EQ(list->startsAt(text, 0), pattern.exec(text)) << text;
    }
  }
  EXPECT_TRUE(streetWordList().startsAt("Calle Mayor", 0));
  EXPECT_FALSE(streetWordList().startsAt("Callejero", 0));
  EXPECT_TRUE(labelWordList().startsAt("TÉL :", 0));
  EXPECT_FALSE(labelWordList().startsAt("Telford", 0));
  const std::string text = "Av. Reforma 222, C.P. 06600";
  EXPECT_EQ(postalLabelList().startOfWordEndingAt(text, text.find(" 06600")), text.find("C.P."));
}

struct StreetCase {
  const char* text;
  bool street;
  bool streetAndNumber;
};

TEST(StreetShape, AStreetWordOrAHouseNumberBesideAName) {
  const StreetCase cases[] = {
      {"Calle Mayor 5", true, true},
      {"240 rue Fbg St Antoine", true, true},
      {"Hauptstraße 12a", true, true},
      {"Keizersgracht 123", true, true},
      {"ul. Marszałkowska 1", true, true},
      {"Οδός Σταδίου 10", true, true},
      {"ул. Тверская 7", true, true},
      {"İstiklal Cad. No 5", true, true},
      {"Broadway 1500", true, false},
      {"221B Baker", true, false},
      {"Paseo de la Castellana", true, false},
      {"Bar Calle Mayor", true, false},
      {"Studio 54", true, false},
      {"Madrid", false, false},
      {"Ring", true, false},
      {"Spring", false, false},
      {"4,5 (120 opiniones)", false, false},
      {"12 34 56", false, false},
  };
  for (const StreetCase& c : cases) {
    const StreetSigns signs = streetSigns(c.text);
    EXPECT_EQ(signs.street(), c.street) << c.text;
    EXPECT_EQ(signs.streetAndNumber(), c.streetAndNumber) << c.text;
  }
}

TEST(TextShapes, CaptionsPricesDatesAndTimes) {
  for (const char* caption :
       {"Ver teléfono", "VER TELEFONO", "» Mostra telefono", "Afficher le n°", "Telefon anzeigen ›",
        "+ More info", "Website", "Pokaż numer", "Εμφάνιση τηλεφώνου", "Patrocinado"}) {
    EXPECT_TRUE(isButtonCaption(caption)) << caption;
  }
  for (const char* text : {"Ver teléfono de Casa Pepe", "Casa Pepe", "Webster", ""}) {
    EXPECT_FALSE(isButtonCaption(text)) << text;
  }
  for (const char* price : {"25 €", "€25", "desde 30 EUR", "$1,200", "1.200$", "99 zł"}) {
    EXPECT_TRUE(looksLikePrice(price)) << price;
  }
  for (const char* text : {"Europa 3", "EUR", "Bar 2000", "neuro 5"}) {
    EXPECT_FALSE(looksLikePrice(text)) << text;
  }
  for (const char* date : {"12/03/2024", "2024-03-12", "12.03.24", "9:30", "Lun-Vie 9:00-18:00"}) {
    EXPECT_TRUE(hasDateOrTime(date)) << date;
  }
  for (const char* text : {"01.42.34.56.78", "91-555-12-34", "4.5", "12/2024", "Studio 54"}) {
    EXPECT_FALSE(hasDateOrTime(text)) << text;
  }
}

}  // namespace
}  // namespace quillon::fields
