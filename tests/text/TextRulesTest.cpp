#include "text/Ascii.h"
#include "text/TextRules.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

namespace quillon::text {
namespace {

TEST(TextRules, CollapsesEveryKindOfWhiteSpace) {
  EXPECT_EQ(collapseWhiteSpace("  Calle\t\tMayor\r\n 3  "), "Calle Mayor 3");
  // no-break, thin and ideographic spaces count as white space too
  EXPECT_EQ(collapseWhiteSpace("\u00a0Plaza\u00a0\u2009Mayor\u3000"), "Plaza Mayor");
  EXPECT_EQ(collapseWhiteSpace(" \n\t "), "");
}

TEST(TextRules, FoldsLatinCapitals) {
  EXPECT_EQ(foldCase("PÁGINA Nächste PRÓXIMA Ø×"), "página nächste próxima ø×");
  EXPECT_EQ(asciiLower("NEXT Ä"), "next Ä");
}

TEST(TextRules, SplitsTokensAtAsciiWhiteSpace) {
  const std::vector<std::string_view> expected = {"a", "b\u00a0c", "d"};
  EXPECT_EQ(asciiTokens("\t a  b\u00a0c\nd "), expected);
  EXPECT_TRUE(asciiTokens("  ").empty());
}

TEST(TextRules, RecognisesWellFormedUtf8) {
  EXPECT_TRUE(isValidUtf8("Peluquería \xF0\x9F\x92\x88"));
  EXPECT_FALSE(
      isValidUtf8("Peluquer\xED"
                  "a"));                      // cp1252
  EXPECT_FALSE(isValidUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));  // surrogate
  EXPECT_FALSE(isValidUtf8("\xE2\x82"));      // cut short
}

}  // namespace
}  // namespace quillon::text
