#include "text/CharacterReferences.h"

#include <gtest/gtest.h>

namespace quillon::text {
namespace {

struct Case {
  const char* written;
  const char* decoded;
};

void expectDecoded(std::initializer_list<Case> cases) {
  for (const Case& c : cases)
    EXPECT_EQ(decodeCharacterReferences(c.written), c.decoded) << c.written;
}

TEST(CharacterReferences, NumericOnesAsHtmlReadsThem) {
  expectDecoded({
      {"&#233;&#xE9;&#XE9;", "\u00e9\u00e9\u00e9"},
      // ";" may be left out: the first byte that is no digit ends the number
      {"&#233 &#xe9x &#64rossi", "\u00e9 \u00e9x @rossi"},
      // the C1 range is Windows-1252's, but where that code page has no character
      {"&#128;&#x93;&#159;&#x81;", "\u20ac\u201c\u0178\u0081"},
      // zero, surrogates and numbers past U+10FFFF, however long
      {"&#0;&#xD800;&#x110000;&#99999999999999999999;", "\ufffd\ufffd\ufffd\ufffd"},
      {"&#x1F600;", "\U0001F600"},
      {"&#; &#x; &#xG; &# 1", "&#; &#x; &#xG; &# 1"},
  });
}

TEST(CharacterReferences, NamedOnesFromTheWholeListClosedBySemicolon) {
  expectDecoded({
      {"Caf&eacute; &euro;&hellip; &quot;O&apos;Neill&quot; &lt;b&gt;",
       "Caf\u00e9 \u20ac\u2026 \"O'Neill\" <b>"},
      {"info&commat;rossi&period;test &lowbar;", "info@rossi.test _"},
      // two characters, and one outside the BMP
      {"&NotEqualTilde;&Afr;", "\u2242\u0338\U0001D504"},
      // names keep their case; unknown ones stay
      {"&Eacute;&EACUTE; &unknown; &lang=it", "\u00c9&EACUTE; &unknown; &lang=it"},
      {"&notin; &&amp; AT&T & co &", "\u2209 && AT&T & co &"},
  });
}

TEST(CharacterReferences, LegacyNamesWithoutSemicolonByTheAttributeRule) {
  expectDecoded({
      {"Smith &amp Sons &copy 2024 &eacute", "Smith & Sons \u00a9 2024 \u00e9"},
      {"&AMP&LT&gt.", "&<>."},
      // before "=", a letter or a digit they stay as written (the text of an element would
      // take "&copy2024" and the "&not" of "&notit;")
      {"?a=1&copy=2&lang=it", "?a=1&copy=2&lang=it"},
      {"&copy2024 &notit; &ampx &euro", "&copy2024 &notit; &ampx &euro"},
  });
}

TEST(CharacterReferences, OneReferenceAndItsLength) {
  const auto named = characterReferenceAt("&amp;x");
  ASSERT_TRUE(named);
  EXPECT_EQ(named->utf8, "&");
  EXPECT_EQ(named->length, 5u);
  const auto legacy = characterReferenceAt("&amp x");
  ASSERT_TRUE(legacy);
  EXPECT_EQ(legacy->length, 4u);
  const auto numeric = characterReferenceAt("&#64x");
  ASSERT_TRUE(numeric);
  EXPECT_EQ(numeric->utf8, "@");
  EXPECT_EQ(numeric->length, 4u);
  EXPECT_FALSE(characterReferenceAt("&"));
  EXPECT_FALSE(characterReferenceAt("x&amp;"));
}

}  // namespace
}  // namespace quillon::text
