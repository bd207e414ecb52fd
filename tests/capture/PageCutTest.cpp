#include "capture/PageCut.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace quillon::capture {
namespace {

std::vector<std::u16string> blocksOf(std::u16string_view text) {
  std::vector<std::u16string> blocks;
  forEachBlock(text, [&](std::u16string_view block) { blocks.emplace_back(block); });
  return blocks;
}

// The cut as a copying loop over the remaining text, positions counted from 1.
std::vector<std::u16string> literalCut(std::u16string s) {
  std::vector<std::u16string> blocks;
  do {
    const std::size_t found = s.find(u"+-+");
    if (found != std::u16string::npos) {
      const std::size_t p = found + 1;
      blocks.push_back(s.substr(0, p + 4));
      s = s.size() >= p + 4 ? s.substr(p + 3) : std::u16string();
    } else {
      blocks.push_back(s);
      s.clear();
    }
  } while (!s.empty());
  return blocks;
}

using Blocks = std::vector<std::u16string>;

TEST(PageCutTest, CutsTheSpanishExample) {
  EXPECT_EQ(blocksOf(u"+-+org: A\r\nactiv: B\r\n+-+org: C\r\n"),
            (Blocks{u"+-+or", u"rg: A\r\nactiv: B\r\n+-+or", u"rg: C\r\n"}));
}

TEST(PageCutTest, AnEmptyPageIsOneEmptyBlock) { EXPECT_EQ(blocksOf(u""), (Blocks{u""})); }

TEST(PageCutTest, APageWithoutSeparatorIsOneBlock) {
  EXPECT_EQ(blocksOf(u"no listing here"), (Blocks{u"no listing here"}));
}

TEST(PageCutTest, TextBeforeTheFirstSeparatorOpensTheFirstBlock) {
  EXPECT_EQ(blocksOf(u"container\r\n+-+org: A"), (Blocks{u"container\r\n+-+or", u"rg: A"}));
}

TEST(PageCutTest, ASeparatorAtTheEndEndsTheLastBlock) {
  EXPECT_EQ(blocksOf(u"A+-+"), (Blocks{u"A+-+"}));
  EXPECT_EQ(blocksOf(u"A+-+o"), (Blocks{u"A+-+o"}));
  // Exactly two characters after the separator: the second also begins a block.
  EXPECT_EQ(blocksOf(u"A+-+or"), (Blocks{u"A+-+or", u"r"}));
  EXPECT_EQ(blocksOf(u"+-+"), (Blocks{u"+-+"}));
}

TEST(PageCutTest, OverlappingSeparators) {
  EXPECT_EQ(blocksOf(u"+-+-+-+"), (Blocks{u"+-+-+", u"+-+"}));
  EXPECT_EQ(blocksOf(u"+-++-+x"), (Blocks{u"+-++-", u"-+x"}));
}

TEST(PageCutTest, KeepsNulAndEveryOtherCharacter) {
  const std::u16string text(u"a\0b+-+\0\0c", 9);
  EXPECT_EQ(blocksOf(text), (Blocks{std::u16string(u"a\0b+-+\0\0", 8), std::u16string(u"\0c", 2)}));
}

TEST(PageCutTest, AgreesWithTheCopyingLoopOnRandomTexts) {
  std::mt19937 random(5);
  const std::u16string alphabet = u"+-+ab";
  for (int round = 0; round < 3000; ++round) {
    std::u16string text;
    const std::size_t length = random() % 24;
    for (std::size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    ASSERT_EQ(blocksOf(text), literalCut(text)) << round;
  }
}

TEST(PageCutTest, BlocksOfALargePageCoverItOnceWithOneCharacterOverlaps) {
  // 100,000 listings: each block's last character is the next block's first.
  std::u16string page;
  for (int i = 0; i < 100000; ++i)
    page += u"+-+org: Listing " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + u"\r\n";
  std::size_t count = 0;
  std::size_t covered = 0;
  forEachBlock(page, [&](std::u16string_view block) {
    ++count;
    covered += block.size();
  });
  EXPECT_EQ(count, 100001u);
  EXPECT_EQ(covered, page.size() + count - 1);
}

}  // namespace
}  // namespace quillon::capture
