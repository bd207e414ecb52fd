#include "profiles/ProfileError.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileStore.h"
#include "support/TemporaryFolder.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace quillon::profiles {
namespace {

Profile named(const std::string& name, std::vector<std::string> hosts) {
  Profile profile;
  profile.name = name;
  profile.hosts = std::move(hosts);
  profile.listing = "li";
  profile[Column::Name] = FieldRule{"b", "", "", false};
  return profile;
}

// The JSON library refuses a number that no double holds with an error of its own, not a
// parse error: the file is named once and left out, the other profiles still serve.
TEST(ProfileStore, AFileWithANumberTooLargeIsNamedOnceAndLeftOut) {
  const testing::TemporaryFolder folder;
  saveProfileFile(named("Guía", {}), profileFileFor("Guía", folder.path()));
  std::ofstream(folder.file("huge.json"))
      << R"({"name":"x","listing":"article","fields":{"name":{"selector":"h2"}},"x":1e99999})";
  const std::string problem =
      "profile " + folder.file("huge.json") + ": a number is too large: '1e99999'";

  const ProfileShelf shelf = readShelf(folder.path());
  ASSERT_EQ(shelf.profiles.size(), 1u);
  EXPECT_EQ(shelf.problems, std::vector<std::string>{problem});
  std::vector<std::string> skipped;
  EXPECT_EQ(findProfile("Guía", folder.path(), &skipped).profile.name, "Guía");
  EXPECT_EQ(skipped, std::vector<std::string>{problem});
  try {
    findProfile(folder.file("huge.json"), folder.path());
    ADD_FAILURE() << "the file was read";
  } catch (const ProfileError& error) {
    EXPECT_EQ(error.what(), problem);
  }
}

TEST(ProfileStore, LivesUnderTheDataHome) {
  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string previous = saved != nullptr ? saved : "";
  ::setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(profileFolder(), std::filesystem::path("/data/quillon/profiles"));
  ::setenv("XDG_DATA_HOME", "relative", 1);
  const char* home = std::getenv("HOME");
  EXPECT_EQ(profileFolder(),
            std::filesystem::path(home != nullptr ? home : ".") / ".local/share/quillon/profiles");
  if (saved != nullptr) {
    ::setenv("XDG_DATA_HOME", previous.c_str(), 1);
  } else {
    ::unsetenv("XDG_DATA_HOME");
  }
}

TEST(ProfileStore, FindsAProfileByNameOrFileAndSuggestsOneForAHost) {
  const testing::TemporaryFolder folder;
  saveProfileFile(named("Guía", {"*.guia.example"}), profileFileFor("Guía", folder.path()));
  saveProfileFile(named("Otra", {"otra.example"}), profileFileFor("Otra", folder.path()));
  std::ofstream(folder.file("broken.json")) << "{";
  std::ofstream(folder.file("notes.txt")) << "not a profile";

  const ProfileShelf shelf = readShelf(folder.path());
  ASSERT_EQ(shelf.profiles.size(), 2u);
  EXPECT_EQ(shelf.profiles[0].profile.name, "Guía");
  ASSERT_EQ(shelf.problems.size(), 1u);
  EXPECT_NE(shelf.problems[0].find("broken.json: not JSON"), std::string::npos);

  EXPECT_EQ(profileFileFor("Guía", folder.path()), folder.path() / "Gu--a.json");
  EXPECT_EQ(findProfile("Otra", folder.path()).profile.name, "Otra");
  EXPECT_EQ(findProfile(folder.file("Gu--a.json"), folder.path()).profile.name, "Guía");
  EXPECT_THROW(findProfile("Nadie", folder.path()), ProfileError);
  EXPECT_THROW(findProfile(folder.file("broken.json"), folder.path()), ProfileError);

  EXPECT_EQ(suggestedProfile(shelf.profiles, "www.guia.example")->profile.name, "Guía");
  EXPECT_EQ(suggestedProfile(shelf.profiles, "guia.example")->profile.name, "Guía");
  EXPECT_EQ(suggestedProfile(shelf.profiles, "OTRA.example")->profile.name, "Otra");
  EXPECT_EQ(suggestedProfile(shelf.profiles, "noguia.example"), nullptr);
  EXPECT_EQ(suggestedProfile(shelf.profiles, ""), nullptr);
  EXPECT_TRUE(readShelf(folder.path() / "none").profiles.empty());
}

}  // namespace
}  // namespace quillon::profiles
