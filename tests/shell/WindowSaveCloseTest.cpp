#include "WindowFixture.h"
#include "capture/CaptureController.h"
#include "shell/StatusBar.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

namespace quillon::shell {
namespace {

using testing::WindowFixture;

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class WindowSave : public WindowFixture {
 protected:
  QTemporaryDir dir;
  QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(WindowSave, DoesNothingWhenTheTableIsEmpty) {
  button("btnSave").click();
  EXPECT_TRUE(dialogs.saveRequests.empty());
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(WindowSave, WritesEveryRowToTheChosenFile) {
  addRow("Bar Pepe", "934 00 00 01");
  addRow("Caña Brava", "034 00 00 02");
  dialogs.saveAnswers = {path("rows.csv")};
  button("btnSave").click();
  ASSERT_EQ(dialogs.saveRequests.size(), 1u);
  EXPECT_EQ(dialogs.saveRequests[0].title, QStringLiteral("Save current recordset to Excel..."));
  EXPECT_EQ(dialogs.saveRequests[0].proposal, QStringLiteral("Filename"));
  EXPECT_TRUE(dialogs.errors.empty());
  const QByteArray csv = readAll(path("rows.csv"));
  // UTF-8 with its byte order mark; texts as they stand, the leading zero kept.
  EXPECT_TRUE(
      csv.startsWith("\xEF\xBB\xBF"
                     "Bar Pepe,activity,,934 00 00 01,"))
      << csv.data();
  EXPECT_TRUE(
      csv.contains("Ca\xC3\xB1"
                   "a Brava,activity,,034 00 00 02,"))
      << csv.data();
  EXPECT_EQ(window->table().Count(), 2);

  // The next save proposes the last name; a cancel writes nothing.
  QFile::remove(path("rows.csv"));
  button("btnSave").click();
  ASSERT_EQ(dialogs.saveRequests.size(), 2u);
  EXPECT_EQ(dialogs.saveRequests[1].proposal, path("rows.csv"));
  EXPECT_FALSE(QFile::exists(path("rows.csv")));
}

TEST_F(WindowSave, ANameWithoutExtensionIsWrittenAsAnXlsWorkbook) {
  addRow("Bar Pepe", "934 00 00 01");
  dialogs.saveAnswers = {path("rows")};
  button("btnSave").click();
  // An Excel 97-2003 workbook is a compound document.
  EXPECT_TRUE(readAll(path("rows.xls")).startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"));
}

TEST_F(WindowSave, AFailedExportIsReportedAndTheTableKept) {
  addRow("Bar Pepe", "934 00 00 01");
  dialogs.saveAnswers = {path("missing-folder/rows.csv")};
  button("btnSave").click();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0].title, QStringLiteral("Veskel"));
  EXPECT_TRUE(dialogs.errors[0].text.contains(QStringLiteral("rows.csv")))
      << dialogs.errors[0].text.toStdString();
  EXPECT_EQ(window->table().Count(), 1);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

class WindowClose : public WindowSave {
 protected:
  void SetUp() override {
    WindowSave::SetUp();
    showWindow();
  }
};

TEST_F(WindowClose, AnEmptyTableClosesWithoutAQuestion) {
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowClose, RowsBringTheQuestionAndNoCloses) {
  addRow("Bar Pepe", "934 00 00 01");
  dialogs.yesNoAnswers = {false};
  EXPECT_TRUE(window->close());
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].title, QStringLiteral(u"Exportación Excel"));
  EXPECT_EQ(dialogs.questions[0].text, QStringLiteral("Guardar las lineas?"));
  EXPECT_TRUE(dialogs.saveRequests.empty());
  EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowClose, YesKeepsTheWindowOpenWhetherSavedOrNot) {
  addRow("Bar Pepe", "934 00 00 01");
  dialogs.yesNoAnswers = {true, true, false};
  dialogs.saveAnswers = {QString(), path("kept.csv")};
  EXPECT_FALSE(window->close());  // Yes, then the save dialog is cancelled
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->table().Count(), 1);
  EXPECT_FALSE(window->close());  // Yes again, and saved
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(QFile::exists(path("kept.csv")));
  EXPECT_TRUE(window->close());  // and No at last
  EXPECT_EQ(dialogs.questions.size(), 3u);
  EXPECT_EQ(dialogs.saveRequests.size(), 2u);
}

TEST_F(WindowClose, AFailedSaveLeavesTheWindowOpen) {
  addRow("Bar Pepe", "934 00 00 01");
  dialogs.yesNoAnswers = {true};
  dialogs.saveAnswers = {path("missing-folder/rows.csv")};
  EXPECT_FALSE(window->close());
  EXPECT_EQ(dialogs.errors.size(), 1u);
  EXPECT_TRUE(window->isVisible());
}

TEST_F(WindowClose, ClosingDuringACaptureStopsTheRunAndThenAsks) {
  addRow("Bar Pepe", "934 00 00 01");
  browser.readyState = 1;  // the page never finishes loading: the run waits
  dialogs.yesNoAnswers = {false};
  bool closedDuringRun = true;
  QTimer::singleShot(0, window.get(), [&] {
    closedDuringRun = window->close();
    EXPECT_TRUE(window->captureController().isRunning());
  });
  button("btncomer").click();  // returns once the run has unwound
  EXPECT_FALSE(closedDuringRun);
  EXPECT_FALSE(window->captureController().isRunning());
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_TRUE(settle([&] { return !dialogs.questions.empty(); }));
  EXPECT_EQ(dialogs.questions.size(), 1u);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->table().Count(), 1);
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(WindowClose, AnsweringYesAfterAnInterruptedCaptureKeepsEverything) {
  addRow("Bar Pepe", "934 00 00 01");
  browser.readyState = 1;
  dialogs.yesNoAnswers = {true};
  QTimer::singleShot(0, window.get(), [&] { window->close(); });
  button("btnAustralia").click();
  EXPECT_TRUE(settle([&] { return !dialogs.saveRequests.empty(); }));
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->table().Count(), 1);
  // The aborted run left the window idle.
  EXPECT_TRUE(button("btnStop").isHidden());
  EXPECT_TRUE(button("btncomer").isEnabled());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillon 0.99c"));
}

}  // namespace
}  // namespace quillon::shell
