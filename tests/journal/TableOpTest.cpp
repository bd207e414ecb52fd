// The packing of an operation's data and the check that a log can be repeated: a
// damaged file must be refused before anything reaches the table.

#include "journal/TableOp.h"

#include <gtest/gtest.h>

namespace quillon::journal {
namespace {

using Texts = std::vector<std::string>;

TEST(TableOpTest, TextsAndRowNumbersComeBackFromTheirPacking) {
  const std::string nul("a\0b", 3);
  EXPECT_EQ(unpackTexts(packTexts("name", {"", nul, std::string(70000, 'x')})),
            (Texts{"name", "", nul, std::string(70000, 'x')}));
  EXPECT_EQ(unpackTexts(packTexts("", {})), Texts{""});
  const std::vector<std::uint32_t> rows = {0, 7, 0xFFFFFFFFu, 256};
  EXPECT_EQ(unpackRowNumbers(packRowNumbers(rows)), rows);
}

TEST(TableOpTest, ACutOrOverlongPackingIsRefused) {
  const std::string packed = packTexts("name", {"street"});
  EXPECT_FALSE(unpackTexts(packed.substr(0, packed.size() - 1)));
  EXPECT_FALSE(unpackTexts(packed.substr(0, 2)));
  EXPECT_FALSE(unpackTexts(std::string("\xFF\xFF\xFF\x7F", 4) + "short"));
  EXPECT_FALSE(unpackRowNumbers("abc"));
}

TEST(TableOpTest, CaptionCodesGoBothWays) {
  for (const auto set :
       {results::CaptionSet::Spanish, results::CaptionSet::Italian, results::CaptionSet::English}) {
    EXPECT_EQ(captionSetOf(captionCode(set)), set);
  }
  EXPECT_FALSE(captionSetOf(0));
  EXPECT_FALSE(captionSetOf(4));
}

TEST(TableOpTest, ALogIsMalformedWhereItNamesARowNotAddedYetOrABadColumn) {
  const TableOp add0{OpKind::AddRow, 0, 0, packTexts("a", {})};
  const TableOp add1{OpKind::AddRow, 1, 0, packTexts("b", {})};
  using Ops = std::vector<TableOp>;
  EXPECT_EQ(firstMalformedOp(Ops{add0,
                                 add1,
                                 {OpKind::SetCell, 1, 9, "x"},
                                 {OpKind::DeleteRows, 2, 0, packRowNumbers({0, 1})},
                                 {OpKind::SortByColumn, 0, 0, ""},
                                 {OpKind::SetCaptions, 0, 2, ""}}),
            std::nullopt);
  EXPECT_EQ(firstMalformedOp(Ops{add1}), 0u);  // numbered out of turn
  EXPECT_EQ(firstMalformedOp(Ops{add0, {OpKind::AppendSubItem, 1, 0, "x"}}), 1u);
  EXPECT_EQ(firstMalformedOp(Ops{add0, {OpKind::SetCell, 0, 10, "x"}}), 1u);
  EXPECT_EQ(firstMalformedOp(Ops{add0, {OpKind::DeleteRows, 2, 0, packRowNumbers({0})}}), 1u);
  EXPECT_EQ(firstMalformedOp(Ops{add0, {OpKind::DeleteRows, 1, 0, packRowNumbers({1})}}), 1u);
  EXPECT_EQ(firstMalformedOp(Ops{{OpKind::SortByColumn, 0, -1, ""}}), 0u);
  EXPECT_EQ(firstMalformedOp(Ops{{OpKind::SetCaptions, 0, 9, ""}}), 0u);
  EXPECT_EQ(firstMalformedOp(Ops{{static_cast<OpKind>(42), 0, 0, ""}}), 0u);
  EXPECT_EQ(firstMalformedOp(Ops{{OpKind::AddRow, 0, 0, ""}}), 0u);  // no name
}

}  // namespace
}  // namespace quillon::journal
