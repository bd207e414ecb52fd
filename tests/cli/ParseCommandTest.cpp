#include "CliRun.h"
#include "cli/Command.h"
#include "support/TemporaryFolder.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace quillon::cli {
namespace {

using testing::CliRun;
using testing::runWith;

TEST(ParseCommand, PrintsTheFieldsInDeclarationOrder) {
  const auto run = runWith({"parse", "--site", "es"},
                           "rg: Caf\xE9 Sol\r\nTel\xE9"
                           "fono: 912 345 678\r\n+-+or");
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(run.out,
            "{\"Text\":\"<NAME>\\r\\n<PHONE>\\r\\n+-+or\",\"Name\":\"Café Sol\",\"Street\":\"\","
            "\"Zip\":\"\",\"City\":\"\",\"Phone\":\"912 345 678\",\"Activity\":\"\","
            "\"Activity2\":\"\",\"Url\":\"\",\"Email\":\"\",\"Province\":\"\"}\n");
}

TEST(ParseCommand, KeysOfEverySite) {
  EXPECT_EQ(
      runWith({"parse", "--site", "it"}).out,
      "{\"Text\":\"\",\"Name\":\"\",\"Street\":\"\",\"Zip\":\"\",\"City\":\"\",\"Phone\":\"\","
      "\"Products\":\"\",\"Fax\":\"\",\"Url\":\"\",\"Email\":\"\",\"Province\":\"\"}\n");
  const std::string english =
      "{\"Text\":\"\",\"Name\":\"\",\"Street\":\"\",\"Zip\":\"\",\"City\":\"\",\"Phone\":\"\","
      "\"Fax\":\"\",\"Url\":\"\",\"Email\":\"\",\"Products\":\"\",\"Keywords\":\"\"}\n";
  EXPECT_EQ(runWith({"parse", "--site", "au"}).out, english);
  EXPECT_EQ(runWith({"parse", "--site", "ca"}).out, english);
}

TEST(ParseCommand, EscapesControlsAndC1Characters) {
  // Nothing matches, so the block comes back as it was read.
  const std::string input("\"\\\t\x01\x7F\x81\x9D\x80\0x", 10);
  const auto run = runWith({"parse", "--site", "es"}, input);
  const std::string expected = "{\"Text\":\"\\\"\\\\\\t\\u0001\\u007f\\u0081\\u009d€\\u0000x\",";
  EXPECT_EQ(run.out.substr(0, expected.size()), expected);
}

TEST(ParseCommand, BadArgumentsAndUnreadableInput) {
  EXPECT_EQ(runWith({"parse"}).status, kExitUsage);
  EXPECT_EQ(runWith({"parse", "--site"}).status, kExitUsage);
  EXPECT_EQ(runWith({"parse", "--site", "fr"}).status, kExitUsage);
  EXPECT_EQ(runWith({"parse", "--site", "es", "--bogus"}).status, kExitUsage);
  EXPECT_EQ(runWith({"parse", "--site", "es", "a", "b"}).status, kExitUsage);
  const auto missing = runWith({"parse", "--site", "es", "/nonexistent/block.txt"});
  EXPECT_EQ(missing.status, kExitFailure);
  EXPECT_NE(missing.err.find("/nonexistent/block.txt"), std::string::npos);
  EXPECT_EQ(runWith({"nosuchcommand"}).status, kExitUsage);
  EXPECT_EQ(runWith({}).status, kExitUsage);
}

TEST(ParseCommand, HelpOnEveryCommand) {
  for (const char* command : {"parse", "finders"}) {
    const auto run = runWith({command, "--help"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_NE(run.out.find("Usage: quillon-cli"), std::string::npos) << command;
  }
  EXPECT_EQ(runWith({"--help"}).status, kExitOk);
}

TEST(ParseCommand, ReadsAFile) {
  const quillon::testing::TemporaryFolder folder;
  const std::string path = folder.file("block.txt");
  std::ofstream(path, std::ios::binary) << "istingTitle: Joe's Diner\r\n";
  const auto run = runWith({"parse", "--site", "ca", path});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_NE(run.out.find("\"Name\":\"Joe's Diner\""), std::string::npos);
}

TEST(FindersCommand, PrintsLinkAndEmail) {
  const auto run = runWith({"finders"}, "Bar S.L. www.bar.es info@bar.es");
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(run.out, "{\"link\":\"www.bar.es\",\"email\":\"info@bar.es\"}\n");
  EXPECT_EQ(runWith({"finders"}, "").out, "{\"link\":\"\",\"email\":\"\"}\n");
  EXPECT_EQ(runWith({"finders", "--x"}).status, kExitUsage);
}

}  // namespace
}  // namespace quillon::cli
