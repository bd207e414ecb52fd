#include "CliRun.h"
#include "JsonRows.h"
#include "cli/Command.h"
#include "support/TemporaryFolder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <sstream>
#include <unistd.h>

namespace quillon::cli {
namespace {

using Rows = std::vector<std::vector<std::string>>;

using testing::CliRun;
using testing::runWith;

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string fixture(const std::string& relative) {
  return std::string(QUILLON_FIXTURES) + "/" + relative;
}

Rows parsedRows(const std::string& json) {
  Rows rows;
  EXPECT_TRUE(testing::parseJsonRows(json, rows)) << json;
  return rows;
}

using ScratchFolder = quillon::testing::TemporaryFolder;

TEST(RowsCommand, PrintsTheSpanishExampleRows) {
  const std::string page =
      "+-+org: Bar Zeta\r\nTel\xE9"
      "fono: 912 345 678\r\n"
      "+-+org: Caf\xE9 Sol\r\nTel\xE9"
      "fono: 913 000 000\r\n"
      "+-+org: Bar Zeta\r\nTel\xE9"
      "fono: 912 345 678\r\n";
  const auto run = runWith({"rows", "--site", "es"}, page);
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out,
            "[[\"Bar Zeta\",\"\",\"\",\"912 345 678\",\"\",\"\",\"\",\"\",\"\"],"
            "[\"Café Sol\",\"\",\"\",\"913 000 000\",\"\",\"\",\"\",\"\",\"\"]]\n");
}

TEST(RowsCommand, KeepsTheOrderOfAdditionNotTheOrderByName) {
  const auto run =
      runWith({"rows", "--site", "es"}, "+-+org: Zeta\r\n+-+org: Alfa\r\n+-+org: Mu\r\n");
  const Rows rows = parsedRows(run.out);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][0], "Zeta");
  EXPECT_EQ(rows[1][0], "Alfa");
  EXPECT_EQ(rows[2][0], "Mu");
}

TEST(RowsCommand, AnEmptyPageGivesNoRows) {
  const auto run = runWith({"rows", "--site", "ca"});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(run.out, "[]\n");
}

// The three fixture pages of a site, each a run of its own, give the site's rows.tsv
// once the rows that a later page repeats (same telephone and name) are dropped, as the
// one table of a capture drops them. The Italian e-mail column comes from the lookup
// and is not compared.
class RowsCommandFixtures : public ::testing::TestWithParam<const char*> {};

TEST_P(RowsCommandFixtures, GiveTheRowsOfACapture) {
  const std::string site = GetParam();
  Rows rows;
  std::set<std::pair<std::string, std::string>> seen;
  for (int n = 1; n <= 3; ++n) {
    const auto run = runWith(
        {"rows", "--site", site, fixture(site + "/page" + std::to_string(n) + ".expected.txt")});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    for (auto& row : parsedRows(run.out)) {
      ASSERT_EQ(row.size(), 9u);
      if (!row[3].empty() && !seen.insert({row[3], row[0]}).second) continue;
      rows.push_back(std::move(row));
    }
  }
  Rows expected = testing::readTsvRows(fixture(site + "/rows.tsv"));
  for (auto& row : expected) row.resize(9);
  EXPECT_EQ(rows, expected);
}

INSTANTIATE_TEST_SUITE_P(Sites, RowsCommandFixtures, ::testing::Values("es", "it", "au", "ca"));

TEST(RowsCommand, OutputWritesTheTableInItsOrderByName) {
  ScratchFolder folder;
  const std::string output = folder.file("rows.json");
  const auto run =
      runWith({"rows", "--output", output, "--site", "es"}, "+-+org: Zeta\r\n+-+org: Alfa\r\n");
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const Rows written = parsedRows(readFile(output));
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0][0], "Alfa");
  EXPECT_EQ(written[0].size(), 10u);
  EXPECT_EQ(written[1][0], "Zeta");
  EXPECT_EQ(parsedRows(run.out)[0][0], "Zeta");
}

TEST(RowsCommand, AFailedExportIsAnErrorWithTheReason) {
  ScratchFolder folder;
  const std::string output = folder.file("missing/rows.xls");
  const auto run = runWith({"rows", "--site", "es", "--output", output}, "+-+org: Zeta\r\n");
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find(output), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("No such file or directory"), std::string::npos) << run.err;
}

TEST(RowsCommand, NulBytesAndNamelessBlocks) {
  const std::string page("+-+org: \r\n\0\0+-+org: A\0B\r\n+-+\0", 29);
  const auto run = runWith({"rows", "--site", "es"}, page);
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_TRUE(parsedRows(run.out).size() <= 1u) << run.out;
}

TEST(RowsCommand, BadArgumentsAndUnreadableInput) {
  EXPECT_EQ(runWith({"rows"}).status, kExitUsage);
  EXPECT_EQ(runWith({"rows", "--site"}).status, kExitUsage);
  EXPECT_EQ(runWith({"rows", "--site", "fr"}).status, kExitUsage);
  EXPECT_EQ(runWith({"rows", "--site", "es", "--output"}).status, kExitUsage);
  EXPECT_EQ(runWith({"rows", "--site", "es", "--bogus"}).status, kExitUsage);
  EXPECT_EQ(runWith({"rows", "--site", "es", "a", "b"}).status, kExitUsage);
  const auto missing = runWith({"rows", "--site", "es", "/nonexistent/page.txt"});
  EXPECT_EQ(missing.status, kExitFailure);
  EXPECT_NE(missing.err.find("/nonexistent/page.txt"), std::string::npos);
  const auto help = runWith({"rows", "--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_NE(help.out.find("--output FILE"), std::string::npos);
  EXPECT_NE(runWith({"--help"}).out.find("rows"), std::string::npos);
}

}  // namespace
}  // namespace quillon::cli
