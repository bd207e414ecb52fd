#include "batch/BatchError.h"
#include "batch/ListText.h"
#include "batch/SearchList.h"
#include "batch/Shard.h"

#include <gtest/gtest.h>

namespace quillon::batch {
namespace {

using Addresses = std::vector<std::string>;

std::string problemOf(const std::function<void()>& read) {
  try {
    read();
  } catch (const BatchError& error) {
    return error.what();
  }
  return "(no problem)";
}

TEST(SearchList, LinesThatCountAreTheAddressesInOrder) {
  const ListText list = readListText(
      "\xEF\xBB\xBF# plumbers\r\n"
      "https://dir.example/s?where=Madrid\r\n"
      "\r\n"
      "   \t\n"
      "  http://dir.example/s?where=Ávila  \n"
      "#https://dir.example/s?where=Skipped\n"
      "HTTPS://dir.example/s?where=Soria");  // no line end at the end of the file
  EXPECT_EQ(searchesFromList(list, "list.txt"),
            (Addresses{"https://dir.example/s?where=Madrid", "http://dir.example/s?where=Ávila",
                       "HTTPS://dir.example/s?where=Soria"}));
  EXPECT_EQ(list.lines[1].number, 5);  // file lines, for the messages
}

TEST(SearchList, AListThatCannotRunIsRefusedWithWhereAndWhy) {
  EXPECT_EQ(problemOf([] { searchesFromList(readListText("# only\n\n  \n"), "l.txt"); }),
            "l.txt holds no start address (only blank and # lines)");
  EXPECT_EQ(problemOf([] { searchesFromList(readListText(""), "l.txt"); }),
            "l.txt holds no start address (only blank and # lines)");
  for (const char* bad : {"ftp://dir.example/x", "dir.example/s?q=1", "https:///nohost",
                          "javascript:alert(1)", "https://dir example/"}) {
    const std::string text = std::string("https://dir.example/ok\n#c\n") + bad + "\n";
    EXPECT_EQ(problemOf([&] { searchesFromList(readListText(text), "l.txt"); }),
              std::string("line 3 of l.txt is not an http(s) address: ") + bad);
  }
}

TEST(SearchList, ATemplateTakesEachValuePercentEncodedAtEveryPlaceholder) {
  const ListText values = readListText("Madrid\nSan Sebastián\n# none\nA&B/C?=#%+\n");
  EXPECT_EQ(searchesFromTemplate("https://d.example/{}/s?where={}&what=plumber", values, "v"),
            (Addresses{"https://d.example/Madrid/s?where=Madrid&what=plumber",
                       "https://d.example/San%20Sebasti%C3%A1n/s?where=San%20Sebasti%C3%A1n"
                       "&what=plumber",
                       "https://d.example/A%26B%2FC%3F%3D%23%25%2B/s?where=A%26B%2FC%3F%3D%23%25%2B"
                       "&what=plumber"}));
  EXPECT_EQ(percentEncoded("a-b.c_d~e"), "a-b.c_d~e");
}

TEST(SearchList, ATemplateOrValuesThatCannotRunAreRefused) {
  const ListText values = readListText("Madrid\n");
  EXPECT_EQ(problemOf([&] { searchesFromTemplate("https://d.example/s?where=", values, "v"); }),
            "the search template has no {} for the values to go in: https://d.example/s?where=");
  EXPECT_EQ(problemOf([&] { searchesFromTemplate("ftp://d.example/{}", values, "v"); }),
            "the search template is not an http(s) address: ftp://d.example/{}");
  EXPECT_EQ(problemOf([] { searchesFromTemplate("https://d/{}", readListText("\n#x\n"), "v"); }),
            "v holds no value (only blank and # lines)");
  // A value in the host makes some addresses impossible: named by its line.
  EXPECT_EQ(problemOf([] {
              searchesFromTemplate("https://{}.example/", readListText("ok\n\nno way\n"), "v");
            }),
            "line 3 of v gives no http(s) address: https://no%20way.example/");
}

// cp1252 bytes are read as UTF-8 with U+FFFD in their place, and said once for the file.
TEST(SearchList, TextThatIsNotUtf8IsSaidOnceWithItsFirstLine) {
  const ListText values = readListText(
      "M\xE1laga\nMadrid\n# \xE9t\xE9\nC\xE1"
      "diz\nJa\xE9n\n");
  EXPECT_EQ(values.badLines, (std::vector<int>{1, 4, 5}));  // the comment does not count
  EXPECT_EQ(values.lines[0].text, "M\xEF\xBF\xBDlaga");
  const std::string expected =
      "towns.txt is not UTF-8: line 1 (and 2 more lines) reads \"M\xEF\xBF\xBDlaga\", read with "
      "U+FFFD for the bytes that are not; save it as UTF-8 (for instance with iconv -f "
      "WINDOWS-1252 -t UTF-8)";
  EXPECT_EQ(notUtf8Problem(values, "towns.txt"), expected);
  EXPECT_EQ(searchesFromTemplate("https://d/?w={}", values, "towns.txt").front(),
            "https://d/?w=M%EF%BF%BDlaga");
  EXPECT_EQ(notUtf8Problem(readListText("Málaga\n"), "ok.txt"), "");
}

TEST(Shard, EachShardTakesEveryNthSearchByPosition) {
  const Addresses list = {"a", "b", "c", "d", "e", "f", "g"};
  const auto positions = [&](std::optional<Shard> shard) {
    std::vector<int> taken;
    for (const auto& search : searchesOfShard(list, shard)) {
      EXPECT_EQ(search.address, list[static_cast<std::size_t>(search.position - 1)]);
      taken.push_back(search.position);
    }
    return taken;
  };
  EXPECT_EQ(positions(parseShard("1/3")), (std::vector<int>{1, 4, 7}));
  EXPECT_EQ(positions(parseShard("2/3")), (std::vector<int>{2, 5}));
  EXPECT_EQ(positions(parseShard("3/3")), (std::vector<int>{3, 6}));
  EXPECT_EQ(positions(parseShard("1/1")), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(positions(std::nullopt), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(positions(parseShard("9/9")), std::vector<int>{});  // more shards than searches
  EXPECT_EQ(parseShard("12/40").text(), "12/40");
}

TEST(Shard, AShardOutOfRangeOrNotKOverNIsRefused) {
  for (const char* bad : {"0/3", "4/3", "1/0", "0/0"}) {
    EXPECT_EQ(problemOf([&] { parseShard(bad); }),
              std::string("the shard ") + bad + " does not exist: K/N takes K from 1 to N");
  }
  for (const char* bad : {"3", "1/", "/3", "a/3", "1/3x", "-1/3", " 1/3", "1/99999999999"}) {
    EXPECT_EQ(problemOf([&] { parseShard(bad); }),
              std::string("the shard \"") + bad + "\" is not K/N (two whole numbers, as in 2/5)");
  }
}

}  // namespace
}  // namespace quillon::batch
