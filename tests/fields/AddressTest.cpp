#include "fields/AddressSplit.h"
#include "fields/KindPatterns.h"
#include "fields/PostalShapes.h"
#include "parsers/RegExpr.h"

#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace quillon::fields {
namespace {

struct AddressCase {
  const char* country;
  const char* text;
  const char* street;
  const char* code;
  const char* locality;
  const char* province;
  const char* shape;
};

// Countries, scripts and the ways cards write addresses: code first and code last, labels,
// provinces in parentheses and after commas, streets of any number of words.
const AddressCase kAddresses[] = {
    {"FR", "240 rue Fbg St Antoine 75012 Paris", "240 rue Fbg St Antoine", "75012", "Paris", "",
     "FR"},
    {"FR", "3 av. de l'Opéra, 75001 Paris, France", "3 av. de l'Opéra", "75001", "Paris", "", "FR"},
    {"FR", "75012 Paris Tél. 01 42 34 56 78", "", "75012", "Paris", "", "FR"},
    {"IT", "Via del Corso 12\n00198 Roma (RM)", "Via del Corso 12", "00198", "Roma", "RM", "FR"},
    {"IT", "00198 Roma (RM)", "", "00198", "Roma", "RM", "FR"},
    {"IT", "Piazza di Spagna 1, CAP 00187 Roma ( RM )", "Piazza di Spagna 1", "00187", "Roma", "RM",
     "FR"},
    {"ES", "Calle Mayor 5, 28013 Madrid", "Calle Mayor 5", "28013", "Madrid", "", "FR"},
    {"ES", "C/ Gran Vía 1 28013 Madrid (Madrid)", "C/ Gran Vía 1", "28013", "Madrid", "Madrid",
     "FR"},
    {"DE", "Unter den Linden 77, 10117 Berlin", "Unter den Linden 77", "10117", "Berlin", "", "FR"},
    {"MX", "C.P. 06600, Ciudad de México, CDMX", "", "06600", "Ciudad de México", "CDMX", "FR"},
    {"MX", "Av. Paseo de la Reforma 222, C.P. 06600, Ciudad de México, CDMX",
     "Av. Paseo de la Reforma 222", "06600", "Ciudad de México", "CDMX", "FR"},
    {"NL", "Damrak 1, 1012 LG Amsterdam", "Damrak 1", "1012 LG", "Amsterdam", "", "NL"},
    {"PL", "ul. Marszałkowska 1, 00-624 Warszawa", "ul. Marszałkowska 1", "00-624", "Warszawa", "",
     "PL"},
    {"GR", "Σταδίου 10, 105 64 Αθήνα", "Σταδίου 10", "105 64", "Αθήνα", "", "GR"},
    {"AT", "Stephansplatz 1 1010 Wien", "Stephansplatz 1", "1010", "Wien", "", "AT"},
    {"TR", "İstiklal Cad. No 5, 34433 Beyoğlu, İstanbul", "İstiklal Cad. No 5", "34433", "Beyoğlu",
     "İstanbul", "FR"},
    {"AU", "Bungalow QLD 4870", "", "4870", "Bungalow", "QLD", "AU"},
    {"AU", "12 Smith St Bungalow QLD 4870", "12 Smith St", "4870", "Bungalow", "QLD", "AU"},
    {"AU", "Unit 5, 10 Sheridan St, Cairns City, QLD 4870", "Unit 5, 10 Sheridan St", "4870",
     "Cairns City", "QLD", "AU"},
    {"US", "123 Main St, Springfield, IL 62704", "123 Main St", "62704", "Springfield", "IL", "US"},
    {"US", "Springfield, IL 62704-1234", "", "62704-1234", "Springfield", "IL", "US"},
    {"CA", "100 King St W, Toronto, ON M5V 2T6", "100 King St W", "M5V 2T6", "Toronto", "ON", "CA"},
    {"GB", "10 Downing Street, London SW1A 2AA", "10 Downing Street", "SW1A 2AA", "London", "",
     "GB"},
    {"GB", "221B Baker Street London NW1 6XE", "221B Baker Street", "NW1 6XE", "London", "", "GB"},
    // No country known: the shape whose code sits beside a word.
    {"", "00198 Roma (RM)", "", "00198", "Roma", "RM", "FR"},
    {"", "Bungalow QLD 4870", "", "4870", "Bungalow", "QLD", "AU"},
    {"", "Springfield, IL 62704", "", "62704", "Springfield", "IL", "US"},
    {"", "London SW1A 1AA", "", "SW1A 1AA", "London", "", "GB"},
    {"", "Toronto, ON M5V 2T6", "", "M5V 2T6", "Toronto", "ON", "CA"},
    {"", "Stephansplatz 1 1010 Wien", "Stephansplatz 1", "1010", "Wien", "", "AT"},
    {"", "1012 LG Amsterdam", "", "1012 LG", "Amsterdam", "", "NL"},
    {"", "Madrid 28013", "", "28013", "Madrid", "", "US"},
};

// Odd texts where only agreement between the recogniser and its pattern is asked: two codes,
// labels, over-long words and runs, regions twice, a dash, a code glued to its letters.
struct OddText {
  const char* country;
  const char* text;
};
const OddText kOddTexts[] = {
    {"FR", "75012 Tél. 01 42 34 56 78"},
    {"FR", "28013 - Madrid"},
    {"FR", "12345 Foo 67890 Bar"},
    {"FR", "75012 Averyveryveryveryveryveryveryveryverylongword Paris"},
    {"FR", "75012 A B C D E F G H I J"},
    {"FR", "75012 Paris (un texte entre parenthèses qui dépasse quarante caractères)"},
    {"FR", ", 75012 Paris"},
    {"FR", "X-CP 75012 Paris"},
    {"AU", "QLD 4870 Foo Bar QLD 4871"},
    {"AU", "Foo QLD 4870 Bar QLD 4871"},
    {"AU", "(Bungalow QLD 4870)"},
    {"US", "Springfield 62704 and 62705"},
    {"GB", "A B C D E F G H I J NW1 6XE"},
    {"CA", "Montréal (Québec) QC H2X 1Y4"},
    {"NL", "1012LG Amsterdam"},
};

std::string part(std::string_view text, Span span) { return std::string(span.in(text)); }

// What the pattern's first group gives, as a taught profile reads a value.
std::string cut(const std::string& pattern, const std::string& text) {
  if (pattern.empty()) return "";
  parsers::RegExpr expression(pattern, parsers::RegExpr::Syntax::Utf8);
  return expression.exec(text) ? std::string(expression.match(1)) : "";
}

TEST(SplitAddress, FindsEachPartByItsShape) {
  for (const AddressCase& c : kAddresses) {
    SCOPED_TRACE(std::string(c.country) + " | " + c.text);
    const AddressParts parts = splitAddress(c.text, c.country);
    EXPECT_EQ(part(c.text, parts.street), c.street);
    EXPECT_EQ(part(c.text, parts.postalCode), c.code);
    EXPECT_EQ(part(c.text, parts.locality), c.locality);
    EXPECT_EQ(part(c.text, parts.province), c.province);
    EXPECT_EQ(parts.shape, c.shape);
  }
}

TEST(SplitAddress, ThePatternOfEachPartExtractsWhatTheRecogniserFinds) {
  std::vector<OddText> cases;
  for (const AddressCase& c : kAddresses) cases.push_back({c.country, c.text});
  cases.insert(cases.end(), std::begin(kOddTexts), std::end(kOddTexts));
  for (const OddText& c : cases) {
    SCOPED_TRACE(std::string(c.country) + " | " + c.text);
    const AddressParts parts = splitAddress(c.text, c.country);
    const std::string_view shape = parts.shape;
    ASSERT_FALSE(shape.empty());
    EXPECT_EQ(cut(patternFor(Part::Street, shape), c.text), part(c.text, parts.street));
    EXPECT_EQ(cut(patternFor(Part::PostalCode, shape), c.text), part(c.text, parts.postalCode));
    EXPECT_EQ(cut(patternFor(Part::Locality, shape), c.text), part(c.text, parts.locality));
    EXPECT_EQ(cut(patternFor(Part::Province, shape), c.text), part(c.text, parts.province));
  }
}

}  // namespace
}  // namespace quillon::fields
