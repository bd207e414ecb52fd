#include "ExportTestSupport.h"
#include "results/JsonWriter.h"

#include <gtest/gtest.h>
#include <sstream>

namespace quillon::results {
namespace {

using namespace testing;

std::string jsonOf(const Rows& rows) {
  std::ostringstream out;
  JsonWriter writer(out);
  writeRows(writer, rows);
  return out.str();
}

TEST(JsonWriterTest, WritesOneRowALine) {
  const Rows rows = {{"a", "\"q\"", "back\\slash", "\t", "\x01", "é", "", "", "", "€"},
                     {"b", "", "", "", "", "", "", "", "", ""}};
  EXPECT_EQ(
      jsonOf(rows),
      "[\n[\"a\",\"\\\"q\\\"\",\"back\\\\slash\",\"\\t\",\"\\u0001\",\"\xC3\xA9\",\"\",\"\",\"\","
      "\"\xE2\x82\xAC\"],\n[\"b\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"]\n]\n");
}

TEST(JsonWriterTest, AnEmptyTableIsAnEmptyArray) { EXPECT_EQ(jsonOf({}), "[]\n"); }

TEST(JsonWriterTest, PythonsJsonModuleReadsEveryCellBack) {
  TempFolder folder;
  const std::string path = folder.file("rows.json");
  writeFile(path, jsonOf(awkwardRows()));
  EXPECT_EQ(runPython(kJsonReader, path), expectedReading(awkwardRows(), false));
}

}  // namespace
}  // namespace quillon::results
