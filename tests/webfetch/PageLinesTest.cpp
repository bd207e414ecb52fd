#include "webfetch/PageLines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using quillon::webfetch::joinPageLines;
using quillon::webfetch::splitPageLines;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(PageLines, EveryKindOfLineBreakEndsALine) {
  EXPECT_THAT(splitPageLines("a\r\nb\nc\rd"), ElementsAre("a", "b", "c", "d"));
  // CR then CR LF is two breaks; LF then CR is two breaks as well.
  EXPECT_THAT(splitPageLines("a\r\r\nb\n\rc"), ElementsAre("a", "", "b", "", "c"));
  EXPECT_THAT(splitPageLines("\n\nx"), ElementsAre("", "", "x"));
}

TEST(PageLines, ABreakAtTheEndOpensNoFurtherLine) {
  EXPECT_THAT(splitPageLines("a\r\n"), ElementsAre("a"));
  EXPECT_THAT(splitPageLines("a\r"), ElementsAre("a"));
  EXPECT_THAT(splitPageLines("a\n\n"), ElementsAre("a", ""));
  EXPECT_THAT(splitPageLines(""), IsEmpty());
}

TEST(PageLines, ANulEndsTheText) {
  using namespace std::string_view_literals;
  EXPECT_THAT(splitPageLines("ab\ncd\0ef\ngh"sv), ElementsAre("ab", "cd"));
  EXPECT_THAT(splitPageLines("\0text"sv), IsEmpty());
}

TEST(PageLines, BytesAboveAsciiPassUnchanged) {
  EXPECT_THAT(splitPageLines("caf\xe9\n\xff\x80"), ElementsAre("caf\xe9", "\xff\x80"));
}

TEST(PageLines, JoiningPutsCrLfAfterEveryLineIncludingTheLast) {
  EXPECT_EQ(joinPageLines(splitPageLines("a\nb\rc")), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(joinPageLines(splitPageLines("a\n\nb\n")), "a\r\n\r\nb\r\n");
  EXPECT_EQ(joinPageLines({}), "");
}
