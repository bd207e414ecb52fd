#include "parsers/ParserError.h"
#include "parsers/RegExpr.h"

#include <gtest/gtest.h>
#include <string>

namespace quillon::parsers {
namespace {

std::string firstMatch(std::string_view pattern, std::string_view subject, int group = 0) {
  RegExpr engine(pattern);
  return engine.exec(subject) ? std::string(engine.match(group)) : "<none>";
}

TEST(RegExpr, DotCrossesLineEndsAndQuantifiersAreGreedy) {
  EXPECT_EQ(firstMatch("a(.+)z", "a1\r\n2z3z"), "a1\r\n2z3z");
  EXPECT_EQ(firstMatch("a(.+)z", "a1\r\n2z3z", 1), "1\r\n2z3");
  EXPECT_EQ(firstMatch("b|ab", "xab"), "ab");  // leftmost position wins over alternative order
}

TEST(RegExpr, WhitespaceClassLeavesOutTheVerticalTab) {
  EXPECT_EQ(firstMatch(R"(a\sb)",
                       "a\x0b"
                       "b a\tb"),
            "a\tb");
  EXPECT_EQ(firstMatch(R"([x\s]+)", "\x0bx \r\n\f\x0b"), "x \r\n\f");
  EXPECT_EQ(firstMatch(R"([^\s=]+)", "\x0b=ab cd"), "\x0b");
  EXPECT_EQ(firstMatch(R"(\S+)", " \x0bq "), "\x0bq");
  EXPECT_EQ(firstMatch(R"([\S]+)", " \x0bq "), "\x0bq");
}

TEST(RegExpr, ClassesAreAsciiAndRangesAreBytes) {
  EXPECT_EQ(firstMatch(R"(\w+)",
                       "\xE9"
                       "ab_1\xE9"),
            "ab_1");
  EXPECT_EQ(firstMatch(R"(\d+)",
                       "\xB2"
                       "12"),
            "12");  // superscript two is no digit
  EXPECT_EQ(firstMatch("[A-\xFF]+", "1 Cami\xF3n[`~\x80."), "Cami\xF3n[`~\x80");
  EXPECT_EQ(firstMatch("[!-\xFF]+",
                       " \x01"
                       "a!\xFF "),
            "a!\xFF");
  EXPECT_EQ(firstMatch("[a^b]+", "x^ab"), "^ab");  // a "^" not first is literal
}

TEST(RegExpr, EscapedPunctuationIsLiteral) {
  EXPECT_EQ(firstMatch(R"(\<ZIP\> \(\#\&\?\/\.\-\))", "x<ZIP> (#&?/.-)"), "<ZIP> (#&?/.-)");
  EXPECT_EQ(firstMatch(R"(a\ b)", "a b"), "a b");
}

TEST(RegExpr, InlineCaseFoldingIsAsciiOnly) {
  EXPECT_EQ(firstMatch("(?i)http", "HtTp"), "HtTp");
  EXPECT_EQ(firstMatch("(?i)\xE9", "\xC9"), "<none>");  // é does not fold to É
  EXPECT_EQ(firstMatch("http", "HTTP"), "<none>");
}

TEST(RegExpr, GroupsAndPositions) {
  RegExpr engine("(a)|(b)");
  ASSERT_TRUE(engine.exec("xxb"));
  EXPECT_EQ(engine.groupCount(), 2);
  EXPECT_EQ(engine.match(1), "");  // took no part
  EXPECT_EQ(engine.match(2), "b");
  EXPECT_EQ(engine.matchPos(), 2u);
  EXPECT_EQ(engine.matchLen(), 1u);
  EXPECT_EQ(engine.match(7), "");
  ASSERT_TRUE(engine.exec("ab", 1));
  EXPECT_EQ(engine.matchPos(), 1u);
  EXPECT_FALSE(engine.exec("ab", 3));
}

TEST(RegExpr, DollarMatchesOnlyAtTheVeryEnd) {
  EXPECT_EQ(firstMatch("a$", "a\n"), "<none>");
  EXPECT_EQ(firstMatch("a$", "ba"), "a");
}

TEST(RegExpr, MalformedPatternRaises) {
  EXPECT_THROW(RegExpr("(unclosed"), ERegExpr);
  RegExpr engine;
  EXPECT_THROW(engine.exec("x"), ERegExpr);
}

TEST(RegExpr, CatastrophicBacktrackingEndsAsNoMatch) {
  // Nested quantifiers over a long run that cannot match: the engine gives up at its
  // resource limit instead of running for hours.
  // Without the limit this search takes about 2^60 steps.
  const std::string subject = std::string(60, 'a') + "b";
  RegExpr engine("(a|aa)+$");
  EXPECT_FALSE(engine.exec(subject));
  // The same engine still matches normally afterwards.
  EXPECT_TRUE(engine.exec("aaaa"));
}

}  // namespace
}  // namespace quillon::parsers
