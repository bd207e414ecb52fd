// Site profiles end to end: "teach" on the profile fixture site served on 127.0.0.1, then
// "capture --profile" and "listings --profile" with what it wrote, in the offscreen browser.

#include "CliRun.h"
#include "FixtureServer.h"
#include "JsonRows.h"
#include "cli/CaptureOptions.h"
#include "cli/Command.h"
#include "cli/ProfileOption.h"
#include "profiles/ProfileError.h"
#include "profiles/ProfileFile.h"
#include "support/TemporaryFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace quillon::cli {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using testing::FixtureServer;
using testing::runWith;

Rows readRows(const std::string& json) {
  Rows rows;
  EXPECT_TRUE(testing::parseJsonRows(json, rows)) << json;
  return rows;
}

Rows fixtureRows() {
  std::ifstream in(std::string(QUILLON_FIXTURES) + "/profile/rows.json", std::ios::binary);
  return readRows(std::string((std::istreambuf_iterator<char>(in)), {}));
}

Rows sorted(Rows rows) {
  std::sort(rows.begin(), rows.end());
  return rows;
}

std::vector<std::string> teachArgs(const FixtureServer& server, const std::string& output) {
  return {"teach",      server.url("/profile/page1.html"),
          "--name",     "Casa Pepe",
          "--activity", "Restaurante",
          "--phone",    "91 555 12 34",
          "--street",   "Calle Mayor 5",
          "--zip",      "28013",
          "--city",     "Madrid",
          "--web",      "www.casapepe.example",
          "--email",    "hola@casapepe.example",
          "--next",     "Adelante",
          "--output",   output};
}

TEST(ProfileCommands, TeachThenCaptureReadsEveryPageExactly) {
  FixtureServer server;
  server.start();
  const quillon::testing::TemporaryFolder folder;
  const std::string profile = folder.file("guia.json");

  const auto taught = runWith(teachArgs(server, profile));
  ASSERT_EQ(taught.status, kExitOk) << taught.err;
  // The telephone shows only after its button is clicked: the teacher found the button.
  EXPECT_NE(taught.err.find("4 listings on the page\n"), std::string::npos) << taught.err;
  EXPECT_NE(taught.err.find("\nTelephone: 4 of 4 listings\n"), std::string::npos) << taught.err;
  EXPECT_NE(taught.err.find("  1. name: Casa Pepe; activity: Restaurante; phone: 91 555 12 34; "
                            "street: Calle Mayor 5; zip: 28013; city: Madrid; web: "
                            "https://www.casapepe.example/; email: hola@casapepe.example\n"
                            "  2. name: La Taberna del Puerto;"),
            std::string::npos)
      << taught.err;
  EXPECT_NE(taught.err.find("reveal buttons: button.card__reveal\n"
                            "load more: button.results__more\n"
                            "next page: a.pagination__link--next\n"),
            std::string::npos)
      << taught.err;

  const auto run = runWith({"capture", "--profile", profile, server.url("/profile/page1.html")});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(sorted(readRows(run.out)), sorted(fixtureRows()));
  EXPECT_NE(run.err.find("page 1: 7 new rows, 7 in the table\n"
                         "page 1: following the link \"Adelante ›\"\n"
                         "page 2: 4 new rows, 11 in the table\n"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("stopped: no next page\n"), std::string::npos) << run.err;

  const auto page = runWith({"listings", "--profile", profile, server.url("/profile/page3.html")});
  EXPECT_EQ(page.status, kExitOk) << page.err;
  const Rows all = fixtureRows();
  EXPECT_EQ(readRows(page.out), Rows(all.end() - 3, all.end()));

  // A block page: the run ends with what was recognised, and the search was not read.
  const auto blocked =
      runWith({"capture", "--profile", profile, server.url("/profile/blocked.html")});
  EXPECT_EQ(blocked.status, kExitFailure) << blocked.err;
  EXPECT_EQ(blocked.out, "[]\n");
  EXPECT_NE(blocked.err.find(
                "stopped: page 1 asks to prove that a person is there (\"no es un robot\")\n"),
            std::string::npos)
      << blocked.err;
}

// A page of today's kind: its telephones show behind a button outside the card's link (one
// inside it leads away), more listings behind "load more", a side box's "show more
// suggestions" beside them. Taught from the first listing, every listing reads right.
TEST(ProfileCommands, TaughtFromTheFirstListingEveryListingReadsRight) {
  FixtureServer server;
  server.start();
  const quillon::testing::TemporaryFolder folder;
  const std::string profile = folder.file("taquerias.json");
  const std::string page = server.url("/real/mx-taquerias.html");
  const auto taught = runWith({"teach",      page,
                               "--name",     "Taquería El Güero",
                               "--activity", "Taquería",
                               "--phone",    "55 5264 1234",
                               "--street",   "Calle Durango 200, Roma Nte.",
                               "--zip",      "06700",
                               "--city",     "Ciudad de México",
                               "--province", "CDMX",
                               "--web",      "taqueriaelgueero.example.mx",
                               "--output",   profile});
  ASSERT_EQ(taught.status, kExitOk) << taught.err;
  EXPECT_NE(taught.err.find("4 listings on the page\n"
                            "Name: 4 of 4 listings\n"
                            "Activity: 4 of 4 listings\n"
                            "Telephone: 4 of 4 listings\n"
                            "Street: 4 of 4 listings\n"
                            "Postal code: 4 of 4 listings\n"
                            "Locality: 4 of 4 listings\n"
                            "Province: 4 of 4 listings\n"
                            "Web: 3 of 4 listings\n"),
            std::string::npos)
      << taught.err;
  EXPECT_NE(taught.err.find("reveal buttons: button.listing__reveal\n"
                            "load more: button.results__more\n"),
            std::string::npos)
      << taught.err;
  const profiles::Profile written = profiles::loadProfileFile(profile);
  EXPECT_TRUE(written[profiles::Column::Telephone]->checkKind);

  const auto run = runWith({"capture", "--profile", profile, page});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  std::ifstream in(std::string(QUILLON_FIXTURES) + "/real/mx-taquerias.rows.json",
                   std::ios::binary);
  EXPECT_EQ(sorted(readRows(run.out)),
            sorted(readRows(std::string((std::istreambuf_iterator<char>(in)), {}))));
}

TEST(ProfileCommands, TeachSaysWhichExampleItCannotPlaceAndWritesNothing) {
  FixtureServer server;
  server.start();
  const quillon::testing::TemporaryFolder folder;
  auto args = teachArgs(server, folder.file("p.json"));
  args[9] = "Calle Menor 5";  // --street
  const auto run = runWith(args);
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(run.err,
            "quillon-cli teach: could not place the street \"Calle Menor 5\": no element on the "
            "page shows it\n");
  EXPECT_FALSE(std::ifstream(folder.file("p.json")).good());
}

TEST(ProfileCommands, BadProfilesAndArgumentsAreSaidClearly) {
  const quillon::testing::TemporaryFolder folder;
  std::ofstream(folder.file("bad.json"))
      << R"({"name": "x", "listing": "li", "fields": {"name": {"selector": "b", "pattern": "("}}})";
  const auto bad =
      runWith({"capture", "--profile", folder.file("bad.json"), "http://127.0.0.1:9/"});
  EXPECT_EQ(bad.status, kExitFailure);
  EXPECT_EQ(bad.err, "quillon-cli capture: profile " + folder.file("bad.json") +
                         ", key \"fields.name.pattern\": the pattern does not compile: Malformed "
                         "pattern at offset 1: missing closing parenthesis\n");
  const auto both =
      runWith({"capture", "--site", "auto", "--profile", folder.file("bad.json"), "http://x/"});
  EXPECT_EQ(both.status, kExitUsage);
  EXPECT_EQ(both.err, "quillon-cli capture: --site and --profile exclude each other\n");
  EXPECT_EQ(runWith({"listings", "--profile", folder.file("none.json"), "http://x/"}).status,
            kExitFailure);
  // A number too large for the JSON library: said, not an abort; and a file of the profile
  // folder that holds one is named once while the others serve by name.
  const std::string good =
      R"({"name":"x","listing":"article","fields":{"name":{"selector":"h2"}}})";
  const std::string tooLarge =
      R"({"name":"x","listing":"article","fields":{"name":{"selector":"h2"}},"x":1e99999})";
  std::ofstream(folder.file("huge.json")) << tooLarge;
  const auto huge = runWith({"listings", "--profile", folder.file("huge.json"), "http://x/"});
  EXPECT_EQ(huge.status, kExitFailure);
  EXPECT_EQ(huge.err, "quillon-cli listings: profile " + folder.file("huge.json") +
                          ": a number is too large: '1e99999'\n");
  const quillon::testing::TemporaryFolder data;
  const auto profiles = data.path() / "quillon" / "profiles";
  std::filesystem::create_directories(profiles);
  std::ofstream(profiles / "huge.json") << tooLarge;
  std::ofstream(profiles / "good.json") << good;
  ::setenv("XDG_DATA_HOME", data.path().c_str(), 1);
  std::ostringstream err;
  const auto byName = loadProfileOption("x", "listings", err);
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_TRUE(byName);
  EXPECT_EQ(err.str(), "quillon-cli listings: skipped profile " +
                           (profiles / "huge.json").string() +
                           ": a number is too large: '1e99999'\n");
  EXPECT_EQ(runWith({"teach", "http://x/", "--output", "p.json"}).status, kExitUsage);
  EXPECT_EQ(runWith({"teach", "http://x/", "--name", " ", "--output", "p.json"}).err,
            "quillon-cli teach: --name takes a text\n");
}

// A run resumed from its journal reads with the profile it began with, whatever became of
// the profile's file meanwhile.
TEST(ProfileCommands, AJournalKeepsTheProfileOfTheRun) {
  CaptureOptions options;
  options.mode = "profile";
  options.profile = profiles::parseProfile(
      R"json({"name": "Guía", "listing": "article.card", "fields": {"name": {"selector": "h2"},
          "zip": {"selector": "span.loc", "pattern": "^(\\d+)"}}, "captions": "es"})json",
      "guia.json");
  CaptureOptions resumed;
  resumed.takeJournalled(options.journalled());
  ASSERT_TRUE(resumed.profile.has_value());
  EXPECT_EQ(*resumed.profile, *options.profile);

  CaptureOptions damaged;
  EXPECT_THROW(damaged.takeJournalled({{"profile", "{\"name\": 1}"}}), profiles::ProfileError);
}

}  // namespace
}  // namespace quillon::cli
