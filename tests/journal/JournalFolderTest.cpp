// The window's journal folder: where it is, fresh files for each session, the journals
// that earlier sessions left (those a live process holds are not among them), and the
// lock that keeps a journal to one connection.

#include "ChildProcess.h"
#include "JournalTestSupport.h"
#include "journal/JournalFolder.h"
#include "journal/JournalSummary.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quillon::journal {
namespace {

using namespace testing;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

TEST(JournalFolderTest, LivesInTheXdgStateFolder) {
  EXPECT_EQ(JournalFolder::pathFor("/state/", "/home/ana"), "/state/quillon");
  EXPECT_EQ(JournalFolder::pathFor("", "/home/ana"), "/home/ana/.local/state/quillon");
  EXPECT_EQ(JournalFolder::pathFor("relative/state", "/home/ana"),
            "/home/ana/.local/state/quillon");
}

TEST(JournalFolderTest, EachSessionGetsAFreshJournalInAPrivateFolder) {
  TempFolder root;
  const JournalFolder folder((root.path() / "state/quillon").string());
  const auto first = folder.createJournal();
  const auto second = folder.createJournal();
  EXPECT_NE(first->path(), second->path());
  for (const auto& journal : {first.get(), second.get()}) {
    EXPECT_EQ(fs::path(journal->path()).parent_path(), folder.path());
    EXPECT_EQ(fs::path(journal->path()).extension(), JournalFolder::kExtension);
    EXPECT_TRUE(journal->active());
  }
  EXPECT_EQ(fs::status(folder.path()).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST(JournalFolderTest, ASecondConnectionToAJournalInUseIsRefused) {
  TempFolder root;
  const std::string path = root.file("a.qjournal");
  {
    Journal first(path);
    JournalError::Reason reason{};
    EXPECT_EQ(journalErrorOf([&] { Journal second(path); }, &reason),
              "The journal " + path + " is in use by another Quillon window or command");
    EXPECT_EQ(reason, JournalError::Reason::InUse);
    EXPECT_THAT(journalErrorOf([&] { summarizeJournal(path); }), HasSubstr("in use"));
  }
  EXPECT_NO_THROW(Journal again(path));
}

// A journal with `rows` rows, closed.
void leaveJournal(const std::string& path, int rows) {
  auto table = newTable();
  Journal journal(path);
  journal.attach(*table);
  for (int i = 0; i < rows; ++i) table->AddRow("Row " + std::to_string(i), {});
  journal.detach();
}

TEST(JournalFolderTest, EarlierSessionsAreThoseNoLiveProcessHolds) {
  TempFolder root;
  const JournalFolder folder(root.path().string());
  leaveJournal(folder.path() + "/ended.qjournal", 3);
  writeFile(folder.path() + "/zeroed.qjournal", std::string(4096, '\0'));
  writeFile(folder.path() + "/notes.txt", "not a journal");
  const auto mine = folder.createJournal();  // this session's: held, so not listed

  // A process that holds its journal while it lives, and is then killed.
  const std::string other = folder.path() + "/other.qjournal";
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    leaveJournal(other, 0);
    auto table = newTable();
    Journal journal(other);
    journal.restore(*table);
    table->AddRow("Held", {});
    const char byte = 1;
    if (::write(ready[1], &byte, 1) != 1) ::_exit(1);
    ::pause();
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);

  const auto listed = [&] {
    std::vector<std::string> lines;
    for (const EarlierSession& session : folder.earlierSessions()) {
      lines.push_back(fs::path(session.path).filename().string() + " " +
                      std::to_string(session.rows) + (session.problem.empty() ? "" : " damaged"));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  };
  EXPECT_EQ(listed(), (std::vector<std::string>{"ended.qjournal 3", "zeroed.qjournal 0 damaged"}));
  EXPECT_THAT(journalErrorOf([&] { folder.discard(other); }), HasSubstr("in use"));

  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  ::close(ready[0]);
  ::close(ready[1]);
  EXPECT_EQ(listed(), (std::vector<std::string>{"ended.qjournal 3", "other.qjournal 1",
                                                "zeroed.qjournal 0 damaged"}));
  folder.discard(other);
  folder.discard(folder.path() + "/zeroed.qjournal");
  EXPECT_EQ(listed(), std::vector<std::string>{"ended.qjournal 3"});
  EXPECT_FALSE(fs::exists(other + "-wal"));
}

TEST(JournalFolderTest, ADiscardedJournalLeavesNoFileAndDoesNothingMore) {
  TempFolder root;
  const auto journal = JournalFolder(root.path().string()).createJournal();
  auto table = newTable();
  journal->attach(*table);
  table->AddRow("a", {});
  journal->discard();
  table->AddRow("b", {});
  journal->commitChanges();
  EXPECT_FALSE(journal->active());
  EXPECT_TRUE(fs::is_empty(root.path()));
}

}  // namespace
}  // namespace quillon::journal
