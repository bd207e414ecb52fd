#include "ScriptedDialogs.h"
#include "shell/SaveDialog.h"

#include <gtest/gtest.h>

namespace quillon::shell {
namespace {

TEST(SaveDialog, AsksWithItsTitleFiltersAndFirstProposal) {
  testing::ScriptedDialogs dialogs;
  SaveDialog sd(dialogs);
  EXPECT_FALSE(sd.Execute().has_value());
  ASSERT_EQ(dialogs.saveRequests.size(), 1u);
  const SaveRequest& request = dialogs.saveRequests[0];
  EXPECT_EQ(request.title, QStringLiteral("Save current recordset to Excel..."));
  ASSERT_FALSE(request.filters.isEmpty());
  EXPECT_EQ(request.filters.first(), QStringLiteral("*xls"));
  EXPECT_EQ(request.filters.size(), request.suffixes.size());
  EXPECT_EQ(request.defaultSuffix, QStringLiteral("xls"));
  EXPECT_EQ(request.proposal, QStringLiteral("Filename"));
}

TEST(SaveDialog, ProposesTheLastChosenNameAfterwards) {
  testing::ScriptedDialogs dialogs;
  SaveDialog sd(dialogs);
  dialogs.saveAnswers = {QStringLiteral("/tmp/a.csv"), QString()};
  EXPECT_EQ(sd.Execute(), QStringLiteral("/tmp/a.csv"));
  EXPECT_FALSE(sd.Execute().has_value());  // a cancel keeps the last chosen name
  sd.Execute();
  ASSERT_EQ(dialogs.saveRequests.size(), 3u);
  EXPECT_EQ(dialogs.saveRequests[1].proposal, QStringLiteral("/tmp/a.csv"));
  EXPECT_EQ(dialogs.saveRequests[2].proposal, QStringLiteral("/tmp/a.csv"));
}

TEST(SaveDialog, ANameWithoutExtensionGetsXls) {
  testing::ScriptedDialogs dialogs;
  SaveDialog sd(dialogs);
  dialogs.saveAnswers = {QStringLiteral("/tmp/dir.v2/report"), QStringLiteral("/tmp/report."),
                         QStringLiteral("/tmp/report.xlsx")};
  EXPECT_EQ(sd.Execute(), QStringLiteral("/tmp/dir.v2/report.xls"));
  EXPECT_EQ(sd.Execute(), QStringLiteral("/tmp/report.xls"));
  EXPECT_EQ(sd.Execute(), QStringLiteral("/tmp/report.xlsx"));
  EXPECT_FALSE(sd.Execute().has_value());
  EXPECT_EQ(sd.fileName(), QStringLiteral("/tmp/report.xlsx"));
}

}  // namespace
}  // namespace quillon::shell
