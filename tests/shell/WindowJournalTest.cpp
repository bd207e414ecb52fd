// The window's journal through its scripted dialogs: a session that ends without saving or
// closing (a crash, a kill) is offered back at the next start; a normal end leaves nothing.

#include "WindowFixture.h"
#include "support/TemporaryFolder.h"

#include <filesystem>
#include <fstream>

namespace quillon::shell {
namespace {

using testing::WindowFixture;

class WindowJournal : public WindowFixture {
 protected:
  // A new window in place of the old one, as at the next start of the program.
  void restart() {
    window.reset();
    SetUp();
    window->useJournal(folder.path().string());
  }
  std::size_t journals() const {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
      if (entry.path().extension() == ".qjournal") ++count;
    }
    return count;
  }
  std::vector<std::string> cells() const {
    std::vector<std::string> out;
    for (int row = 0; row < window->table().Count(); ++row) {
      for (int column = 0; column < 10; ++column) out.push_back(window->table().Cell(row, column));
    }
    return out;
  }

  quillon::testing::TemporaryFolder folder;
};

TEST_F(WindowJournal, ACrashedSessionComesBackAsItWas) {
  window->useJournal(folder.path().string());
  EXPECT_TRUE(dialogs.questions.empty());  // nothing to restore the first time
  EXPECT_TRUE(window->journalActive());
  addRow("Zoe", "911");
  addRow("Ana", "912");
  window->table().SetCell(1, 4, "edited street");
  window->table().TransItalian();
  const std::vector<std::string> before = cells();

  dialogs.yesNoAnswers = {true};
  restart();  // the old window went without closing, as in a crash
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].text,
            QStringLiteral("Restore the 2 rows captured in the last session?"));
  EXPECT_EQ(cells(), before);
  EXPECT_EQ(window->table().Caption(0), "Persona/Compagnia");
  EXPECT_TRUE(window->journalActive());
  EXPECT_EQ(journals(), 1u);  // the restored journal goes on

  // The user declines the next time: the rows are gone for good.
  dialogs.yesNoAnswers = {false};
  restart();
  EXPECT_EQ(window->table().Count(), 0);
  EXPECT_EQ(journals(), 1u);  // only this session's fresh one
}

TEST_F(WindowJournal, ANormalEndOrASaveLeavesNothingToRestore) {
  window->useJournal(folder.path().string());
  addRow("Ana", "912");
  dialogs.yesNoAnswers = {false};  // "Guardar las lineas?" No: close without saving
  EXPECT_TRUE(window->close());
  EXPECT_EQ(journals(), 0u);

  restart();
  addRow("Bea", "913");
  dialogs.saveAnswers = {QString::fromStdString(folder.file("rows.csv"))};
  button("btnSave").click();
  const std::size_t asked = dialogs.questions.size();
  restart();  // saved, then gone without closing: nothing is offered
  EXPECT_EQ(dialogs.questions.size(), asked);
  EXPECT_EQ(window->table().Count(), 0);
}

TEST_F(WindowJournal, ADamagedJournalIsSaidAndTheWindowStartsEmpty) {
  std::filesystem::create_directories(folder.path());
  std::ofstream(folder.file("session-20260101-000000-1.qjournal"), std::ios::binary)
      << std::string(4096, '\0');
  window->useJournal(folder.path().string());
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_TRUE(dialogs.errors[0].text.startsWith(
      QStringLiteral("The journal of an earlier session cannot be restored")))
      << dialogs.errors[0].text.toStdString();
  EXPECT_EQ(window->table().Count(), 0);
  EXPECT_TRUE(window->journalActive());
}

TEST_F(WindowJournal, AFolderThatCannotBeWrittenIsSaidAndTheWindowGoesOn) {
  // A file where the folder should be.
  std::ofstream(folder.file("taken"), std::ios::binary) << "x";
  window->useJournal(folder.file("taken"));
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_TRUE(dialogs.errors[0].text.contains(QStringLiteral("goes on without a journal")))
      << dialogs.errors[0].text.toStdString();
  EXPECT_FALSE(window->journalActive());
  addRow("Ana", "912");
  EXPECT_EQ(window->table().Count(), 1);
}

}  // namespace
}  // namespace quillon::shell
