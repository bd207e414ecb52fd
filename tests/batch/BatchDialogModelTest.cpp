// The window's "Capture a list of searches" dialog through its model: what Start would run,
// the preview, and what keeps Start from going.

#include "batch/BatchDialogModel.h"

#include <gtest/gtest.h>

namespace quillon::batch {
namespace {

using Kind = BatchDialogModel::RunKind;
using Source = BatchDialogModel::Source;

TEST(BatchDialogModel, AListOrATemplateGivesTheAddressesAndTheirPreview) {
  BatchDialogModel model;
  EXPECT_EQ(model.problem(), "the list holds no start address (only blank and # lines)");
  model.setListText("# towns\nhttps://d.example/a\n\nhttps://d.example/b\nhttps://d.example/c\n");
  EXPECT_TRUE(model.ready());
  EXPECT_EQ(model.addresses().size(), 3u);
  EXPECT_EQ(model.preview(2),
            (std::vector<std::string>{"https://d.example/a", "https://d.example/b"}));
  EXPECT_EQ(model.preview(10).size(), 3u);
  EXPECT_EQ(model.modeCode(), "es");

  // The template keeps its own texts; switching back finds the list as it was.
  model.setSource(Source::Template);
  EXPECT_EQ(model.problem(), "the search template has no {} for the values to go in: ");
  model.setTemplate("https://d.example/s?where={}");
  EXPECT_EQ(model.problem(), "the list of values holds no value (only blank and # lines)");
  model.setValuesText("Ávila\nSan Sebastián\n");
  EXPECT_EQ(model.preview(5),
            (std::vector<std::string>{"https://d.example/s?where=%C3%81vila",
                                      "https://d.example/s?where=San%20Sebasti%C3%A1n"}));
  model.setSource(Source::List);
  EXPECT_EQ(model.addresses().size(), 3u);
  model.setListText("https://d.example/a\nd.example/b\n");
  EXPECT_EQ(model.problem(), "line 2 of the list is not an http(s) address: d.example/b");
  EXPECT_TRUE(model.addresses().empty());
}

TEST(BatchDialogModel, TheRunKindNamesTheModeAndAProfileRunNeedsAProfile) {
  BatchDialogModel model;
  model.setListText("https://d.example/a\n");
  model.setSite("it");
  EXPECT_EQ(model.modeCode(), "it");
  model.setRunKind(Kind::AnySite);
  EXPECT_EQ(model.modeCode(), "auto");
  model.setRunKind(Kind::Profile);
  EXPECT_EQ(model.modeCode(), "profile");
  EXPECT_EQ(model.problem(),
            "no saved profile to capture with: teach one first (Teach this site…)");
  model.setProfileNames({"Guía Local", "Other"});
  EXPECT_EQ(model.profile(), "Guía Local");
  EXPECT_TRUE(model.ready());
  model.setProfile("Other");
  model.setProfileNames({"Other", "Third"});  // the chosen one stays while it is there
  EXPECT_EQ(model.profile(), "Other");
  EXPECT_EQ(model.choice(), (BatchChoice{"profile", "Other", {"https://d.example/a"}}));
  model.setRunKind(Kind::BuiltInSite);
  EXPECT_EQ(model.choice(), (BatchChoice{"it", "", {"https://d.example/a"}}));
}

// A file in another encoding is loaded as UTF-8 with U+FFFD for its bad bytes, said once;
// Start waits until the lines that hold U+FFFD are typed right.
TEST(BatchDialogModel, AFileThatIsNotUtf8IsSaidOnceAndKeepsStartBackUntilCorrected) {
  BatchDialogModel model;
  model.setSource(Source::Template);
  model.setTemplate("https://d.example/s?where={}");
  model.loadFile(
      "\xEF\xBB\xBF# towns\nM\xE1laga\nMadrid\nC\xE1"
      "diz\n",
      "towns.txt");
  EXPECT_EQ(model.valuesText(),
            "# towns\nM\xEF\xBF\xBDlaga\nMadrid\nC\xEF\xBF\xBD"
            "diz\n");
  EXPECT_EQ(model.notice().substr(0, 57),
            "towns.txt is not UTF-8: line 2 (and 1 more line) reads \"M");
  EXPECT_EQ(model.problem(),
            "line 2 of the list of values holds \xEF\xBF\xBD where the file had bytes that are not "
            "UTF-8: "
            "type the right letters, or load the file saved as UTF-8");
  model.setValuesText("# towns\nMálaga\nMadrid\nCádiz\n");
  EXPECT_TRUE(model.ready());
  EXPECT_EQ(model.addresses().size(), 3u);

  model.setSource(Source::List);
  model.loadFile("https://d.example/a\r\nhttps://d.example/b\r\n", "list.txt");
  EXPECT_EQ(model.notice(), "");
  EXPECT_EQ(model.addresses(),
            (std::vector<std::string>{"https://d.example/a", "https://d.example/b"}));
  EXPECT_EQ(model.valuesText(), "# towns\nMálaga\nMadrid\nCádiz\n");  // loaded into the list
}

}  // namespace
}  // namespace quillon::batch
