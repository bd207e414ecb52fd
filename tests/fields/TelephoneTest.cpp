#include "fields/Email.h"
#include "fields/KindPatterns.h"
#include "fields/Telephone.h"
#include "parsers/RegExpr.h"

#include <gtest/gtest.h>

namespace quillon::fields {
namespace {

struct PhoneCase {
  const char* country;
  const char* text;
  const char* number;  // "" for none
};

const PhoneCase kPhones[] = {
    // Links: the scheme goes, the address is the number as written, percent-decoded.
    {"AU", "tel:0420909405", "0420909405"},
    {"US", "tel:(909) 484-2020", "(909) 484-2020"},
    {"FR", "tel:(909) 484-2020", "(909) 484-2020"},
    {"ES", "TEL:%2B34%20915%20551%20234", "+34 915 551 234"},
    {"IT", "callto:06 1234567", "06 1234567"},
    {"ES", "fax:915551235", "915551235"},
    // Numbers as each country writes them, found inside a text.
    {"ES", "Tel. 91 555 12 34", "91 555 12 34"},
    {"FR", "Tél : 01 42 34 56 78", "01 42 34 56 78"},
    {"DE", "Telefon 030 1234567", "030 1234567"},
    {"MX", "55 1234 5678", "55 1234 5678"},
    {"GB", "020 7946 0000", "020 7946 0000"},
    {"CA", "416-555-0123", "416-555-0123"},
    {"NL", "020 123 4567", "020 123 4567"},
    {"PL", "tel. 22 123 45 67", "22 123 45 67"},
    {"GR", "Τηλ. 210 123 4567", "210 123 4567"},
    {"ES", "+44 20 7946 0000", "+44 20 7946 0000"},
    // The street number and postal code before it are no telephone of Italy.
    {"IT", "Via Roma 12 00198 Roma Tel. 06 1234567", "06 1234567"},
    {"ES", "28013 Madrid", ""},
    // No country known: the shape decides.
    {"", "91 555 12 34", "91 555 12 34"},
    {"", "0420909405", "0420909405"},
    {"", "12/03/2024", ""},
    {"", "1.250.000", ""},
    {"", "12 345", ""},
    {"", "12345678901234567890", ""},
};

TEST(Telephone, FindsTheNumberAsThePageWroteIt) {
  for (const PhoneCase& c : kPhones) {
    SCOPED_TRACE(std::string(c.country) + " | " + c.text);
    const auto found = telephoneIn(c.text, c.country);
    if (*c.number == '\0') {
      EXPECT_FALSE(found) << found->number;
      continue;
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(found->number, c.number);
    if (std::string_view(c.text).find(':') == std::string_view::npos) {
      EXPECT_EQ(found->span.in(c.text), c.number);
    }
  }
}

TEST(Telephone, OnAPageOfAKnownCountryASpacedNumberIsOneLibphonenumberAccepts) {
  EXPECT_TRUE(telephoneIn("91 555 12 34", "ES"));
  EXPECT_TRUE(telephoneIn("1234567", "ES"));  // a plain run needs no library
  EXPECT_FALSE(telephoneIn("12 34 567", "ES"));
  EXPECT_TRUE(telephoneIn("012 34 567", ""));  // unknown country: its shape is enough
  EXPECT_FALSE(telephoneIn("12 34 567", ""));  // seven digits, no 0, + or ( first
  EXPECT_FALSE(telephoneIn("Via Roma 12 00198 Roma", "IT"));
}

TEST(Telephone, AWholeValueIsANumberWithAtMostAShortLabel) {
  EXPECT_TRUE(isTelephone("Tel. 91 555 12 34", "ES"));
  EXPECT_TRUE(isTelephone("Fax: 91 555 12 35", "ES"));
  EXPECT_TRUE(isTelephone("91 555 12 34 / 91 555 12 35", "ES"));
  EXPECT_TRUE(isTelephone(" tel:0420909405 ", "AU"));
  EXPECT_FALSE(isTelephone("mailto:info@casapepe.es", "ES"));
  EXPECT_FALSE(isTelephone("Calle Mayor 5, 28013 Madrid", "ES"));
  EXPECT_FALSE(isTelephone("Call 91 555 12 34 today for a free quote on all works", "ES"));
  EXPECT_FALSE(isTelephone("Tel. 91 555 12 34, 28013 Madrid", "ES"));
}

TEST(Telephone, ThePatternCutsTheNumberOutOfALabelledText) {
  parsers::RegExpr pattern(patternFor(Part::Telephone, ""), parsers::RegExpr::Syntax::Utf8);
  for (const auto& [country, text] :
       {std::pair{"ES", "Tel. 91 555 12 34"}, std::pair{"ES", "Teléfono: +34 91 555 12 34"},
        std::pair{"US", "Call (909) 484-2020"}, std::pair{"GR", "Τηλ. 210 123 4567"}}) {
    SCOPED_TRACE(text);
    const auto found = telephoneIn(text, country);
    ASSERT_TRUE(found);
    ASSERT_TRUE(pattern.exec(text));
    EXPECT_EQ(pattern.match(1), found->number);
  }
}

TEST(Email, FindsTheAddressInUtf8TextAndLinks) {
  const std::string text = "Escríbenos — «info@casapepe.es».";
  const auto found = emailIn(text);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->address, "info@casapepe.es");
  EXPECT_EQ(found->span.in(text), "info@casapepe.es");
  EXPECT_EQ(emailIn("mailto:reservas%40casapepe.es?subject=Mesa")->address, "reservas@casapepe.es");
  EXPECT_EQ(emailIn("logo@2x.png y ventas@casapepe.es")->address, "ventas@casapepe.es");
  // Whole or not at all, where FindEmail would cut the name part.
  EXPECT_EQ(emailIn("Escribid a jo+reservas@casapepe.es")->address, "jo+reservas@casapepe.es");
  EXPECT_FALSE(emailIn("josé.garcía@casapepe.es"));
  EXPECT_TRUE(isEmail("jo+reservas@casapepe.es"));
  EXPECT_FALSE(emailIn("mailto:"));
  EXPECT_TRUE(isEmail("E-mail: info@casapepe.es"));
  EXPECT_FALSE(isEmail("info@casapepe.es, 28013 Madrid"));
  parsers::RegExpr pattern(patternFor(Part::Email, ""), parsers::RegExpr::Syntax::Utf8);
  for (const std::string& subject : {text, std::string("jo+reservas@casapepe.es, 91 555 12 34"),
                                     std::string("josé.garcía@x.es")}) {
    const auto email = emailIn(subject);
    EXPECT_EQ(pattern.exec(subject) ? std::string(pattern.match(1)) : "",
              email ? email->address : "")
        << subject;
  }
}

}  // namespace
}  // namespace quillon::fields
