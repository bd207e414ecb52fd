// Files that are not good journals and disks that refuse writes: always a JournalError
// that names the file, never a crash, and never a change to the table in hand.

#include "FaultyVfs.h"
#include "JournalTestSupport.h"
#include "journal/JournalSummary.h"
#include "journal/SqliteDatabase.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quillon::journal {
namespace {

using namespace testing;
using ::testing::HasSubstr;
using Reason = JournalError::Reason;

// Adds a page of rows in one committed page.
void addPage(results::ResultsTable& table, Journal& journal, int page) {
  journal.beginPage();
  for (int i = 0; i < 40; ++i) {
    const std::string n = std::to_string(page * 100 + i);
    table.AddRow("Business " + n, {"activity", "", "91 000 " + n, std::string(200, 'x')});
  }
  journal.commitPage({page, "https://example.test/" + std::to_string(page), "", ""});
}

class JournalFaultTest : public ::testing::Test {
 protected:
  // A closed journal of three pages at `path`, and the contents it restores to.
  void SetUp() override {
    auto table = newTable();
    Journal journal(path);
    journal.attach(*table);
    for (int page = 1; page <= 3; ++page) addPage(*table, journal, page);
    journal.detach();
    contents = contentsOf(*table);
  }

  // What opening and restoring the file raises.
  std::string restoreError(Reason* reason) {
    auto table = newTable();
    const std::string message = journalErrorOf(
        [&] {
          Journal journal(path);
          journal.restore(*table);
          journal.detach();
        },
        reason);
    EXPECT_EQ(table->Count(), 0) << "a refused journal adds nothing";
    return message;
  }

  TempFolder folder;
  std::string path = folder.file("session.qjournal");
  std::vector<std::string> contents;
};

TEST_F(JournalFaultTest, ATruncatedJournalIsDamaged) {
  const std::string bytes = readFile(path);
  ASSERT_GT(bytes.size(), 16384u);
  for (const std::size_t size : {bytes.size() / 2, std::size_t{4096}, std::size_t{50}}) {
    SCOPED_TRACE(size);
    writeFile(path, bytes.substr(0, size));
    Reason reason{};
    EXPECT_THAT(restoreError(&reason), HasSubstr("The journal " + path + " is damaged"));
    EXPECT_EQ(reason, Reason::Damaged);
  }
}

TEST_F(JournalFaultTest, AZeroedJournalIsDamaged) {
  writeFile(path, std::string(readFile(path).size(), '\0'));
  Reason reason{};
  EXPECT_THAT(restoreError(&reason), HasSubstr("The journal " + path + " is damaged"));
  EXPECT_EQ(reason, Reason::Damaged);
}

TEST_F(JournalFaultTest, AnotherProgramsDatabaseIsRefusedAndLeftAsItWas) {
  const std::string other = folder.file("contacts.db");
  {
    SqliteDatabase(other).execute(
        "CREATE TABLE contacts(name TEXT); INSERT INTO contacts VALUES('x')");
  }
  const std::string before = readFile(other);
  Reason reason{};
  EXPECT_EQ(journalErrorOf([&] { Journal journal(other); }, &reason),
            "The file " + other + " is not a Quillon journal");
  EXPECT_EQ(reason, Reason::NotAJournal);
  EXPECT_EQ(readFile(other), before);
}

TEST_F(JournalFaultTest, AJournalOfANewerFormatSaysSo) {
  { SqliteDatabase(path).execute("PRAGMA user_version = 7"); }
  Reason reason{};
  EXPECT_EQ(restoreError(&reason),
            "The journal " + path +
                " was written by a newer version of Quillon (journal format 7; this version "
                "reads format 3)");
  EXPECT_EQ(reason, Reason::NewerFormat);
}

TEST_F(JournalFaultTest, AChangeThatCannotBeRepeatedIsDamageAndAddsNothing) {
  {
    SqliteDatabase database(path);
    database.execute("INSERT INTO ops(kind, row, argument, data) VALUES(3, 999, 1, x'41')");
  }
  Reason reason{};
  EXPECT_EQ(restoreError(&reason),
            "The journal " + path + " is damaged: change 121 of 121 cannot be repeated");
  EXPECT_EQ(reason, Reason::Damaged);
}

TEST_F(JournalFaultTest, AFileThatMayOnlyBeReadIsRefused) {
  FaultyVfs vfs;
  vfs.readOnly = true;
  Reason reason{};
  EXPECT_EQ(restoreError(&reason),
            "The journal " + path + " cannot be written: the file is read-only");
  EXPECT_EQ(reason, Reason::Unwritable);
}

TEST_F(JournalFaultTest, AFullDiskStopsTheJournalAndTheTableGoesOn) {
  auto table = newTable();
  {
    FaultyVfs vfs;
    Journal journal(path);
    journal.restore(*table);
    addPage(*table, journal, 4);
    const auto afterPage4 = contentsOf(*table);
    vfs.writeBudget = 0;
    EXPECT_EQ(journalErrorOf([&] { addPage(*table, journal, 5); }),
              "The journal " + path + " cannot be written: the disk is full");
    EXPECT_FALSE(journal.active());
    ASSERT_TRUE(journal.failure());
    EXPECT_EQ(table->Count(), 200);                // page 5's rows stay
    EXPECT_NO_THROW(addPage(*table, journal, 6));  // the owner may go on without it
    table->SetCell(0, 1, "edited");
    EXPECT_EQ(table->Count(), 240);
    journal.detach();
    vfs.writeBudget = -1;
    contents = afterPage4;
  }
  EXPECT_EQ(restoredContents(path), contents);  // consistent up to the last commit
}

TEST_F(JournalFaultTest, AFullDiskDuringAnEditIsKeptForTheOwner) {
  auto table = newTable();
  FaultyVfs vfs;
  Journal journal(path);
  journal.restore(*table);
  vfs.writeBudget = 0;
  table->SetCell(3, 1, "edited");  // heard inside the table's call: nothing is thrown
  EXPECT_EQ(table->Cell(3, 1), "edited");
  ASSERT_TRUE(journal.failure());
  EXPECT_EQ(journal.failure()->reason(), Reason::Unwritable);
  EXPECT_THAT(journal.failure()->what(), HasSubstr("the disk is full"));
  journal.detach();
}

TEST_F(JournalFaultTest, AJournalInAMissingFolderSaysWhyAndASummaryMakesNoFile) {
  const std::string missing = folder.file("missing/j.qjournal");
  EXPECT_EQ(journalErrorOf([&] { Journal journal(missing); }),
            "The journal " + missing + " cannot be written: No such file or directory");
  const std::string absent = folder.file("absent.qjournal");
  EXPECT_NE(journalErrorOf([&] { summarizeJournal(absent); }), "");
  EXPECT_FALSE(std::filesystem::exists(absent));
}

TEST_F(JournalFaultTest, AJournalThatCannotBeCreatedOnAFullDiskSaysSo) {
  FaultyVfs vfs;
  vfs.writeBudget = 0;
  const std::string fresh = folder.file("fresh.qjournal");
  EXPECT_EQ(journalErrorOf([&] { Journal journal(fresh); }),
            "The journal " + fresh + " cannot be written: the disk is full");
}

}  // namespace
}  // namespace quillon::journal
