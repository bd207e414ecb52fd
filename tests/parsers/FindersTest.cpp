#include "parsers/Finders.h"

#include <gtest/gtest.h>
#include <string>

namespace quillon::parsers {
namespace {

TEST(FindLink, TakesTheFirstDottedRunWithItsPrefixPathAndQuery) {
  EXPECT_EQ(FindLink("see www.ejemplo.es/a/b?x=1&y=2 now"), "www.ejemplo.es/a/b?x=1");
  // Later query values may only hold the odd characters of their class.
  EXPECT_EQ(FindLink("ejemplo.es/?x=1&y=;#top"), "ejemplo.es/?x=1&y=;#top");
  EXPECT_EQ(FindLink("www.ejemplo.es/a#top-1 x"), "www.ejemplo.es/a#top-1");
  EXPECT_EQ(FindLink("HTTP://Ejemplo.COM:8080/x"), "HTTP://Ejemplo.COM:8080/x");
  EXPECT_EQ(FindLink("Www.Ejemplo.com"), "Www.Ejemplo.com");
  // An unknown scheme is left out: the match starts where the pattern first fits.
  EXPECT_EQ(FindLink("https://ejemplo.com/p"), "ejemplo.com/p");
}

TEST(FindLink, NothingDotted) {
  EXPECT_EQ(FindLink(""), "");
  EXPECT_EQ(FindLink("no address here"), "");
  EXPECT_EQ(FindLink("end."), "");
}

TEST(FindLink, ShortFirstRunIsSkippedOnce) {
  // "S.L" (3 characters): the second search starts after it and the next character.
  EXPECT_EQ(FindLink("rg: Talleres S.L.\r\nurl: www.talleres.es\r\n"), "www.talleres.es");
  EXPECT_EQ(FindLink("1.5 kg at shop.example.org"), "shop.example.org");
  // The run found by the repeat must still have six characters.
  EXPECT_EQ(FindLink("S.L. a.bc then www.ejemplo.es"), "");
  // A first run of exactly five characters is not repeated, then cleared.
  EXPECT_EQ(FindLink("ab.cd www.ejemplo.es"), "");
  // A first run of six is kept.
  EXPECT_EQ(FindLink("abc.de www.ejemplo.es"), "abc.de");
}

TEST(FindLink, EmailBeforeAnyWebAddressGivesItsFirstDottedRun) {
  EXPECT_EQ(FindLink("info@fontaneria.es www.fontaneria.es"), "fontaneria.es");
  EXPECT_EQ(FindLink("juan.perez@mail.com"), "juan.perez");
}

TEST(FindEmail, TakesTheFirstAddress) {
  EXPECT_EQ(FindEmail("mail: info@ejemplo.es, ventas@ejemplo.es"), "info@ejemplo.es");
  EXPECT_EQ(FindEmail("Write to info@ejemplo.es."), "info@ejemplo.es");  // sentence end
  EXPECT_EQ(FindEmail("a.b-c_d@sub.ejemplo.co.uk"), "a.b-c_d@sub.ejemplo.co.uk");
}

TEST(FindEmail, CharactersOutsideTheNameSetCutTheName) {
  EXPECT_EQ(FindEmail("john+tag@ejemplo.es"), "tag@ejemplo.es");
  EXPECT_EQ(FindEmail("jos\xE9"
                      "@ejemplo.es"),
            "");  // accent right before "@": no match
  EXPECT_EQ(FindEmail("mar\xED"
                      "a.g@ejemplo.es"),
            "a.g@ejemplo.es");
  EXPECT_EQ(FindEmail("user@localhost"), "");  // no full stop in the domain
  EXPECT_EQ(FindEmail(""), "");
}

TEST(Finders, HostileInputEndsQuickly) {
  // A megabyte of letters: neither finder has anything to find.
  const std::string letters(1 << 20, 'x');
  EXPECT_EQ(FindLink(letters), "");
  EXPECT_EQ(FindEmail(letters), "");
  // Dots and at-signs everywhere but never an address of the required shape.
  std::string dots;
  for (int i = 0; i < 100000; ++i) dots += "a. @";
  EXPECT_EQ(FindLink(dots), "");
  EXPECT_EQ(FindEmail(dots), "");
}

}  // namespace
}  // namespace quillon::parsers
