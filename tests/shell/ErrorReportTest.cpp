#include "ScriptedDialogs.h"
#include "shell/ErrorReport.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace quillon::shell {
namespace {

TEST(ErrorBoxText, AddsAFullStopAfterLettersAndDigits) {
  EXPECT_EQ(errorBoxText(QStringLiteral("Excel OLE server not found")),
            QStringLiteral("Excel OLE server not found."));
  EXPECT_EQ(errorBoxText(QStringLiteral("error 42")), QStringLiteral("error 42."));
  EXPECT_EQ(errorBoxText(QStringLiteral("Can't find <body> element")),
            QStringLiteral("Can't find <body> element."));
  // "/" is the character just above "."; accented letters are far above it.
  EXPECT_EQ(errorBoxText(QStringLiteral("a/")), QStringLiteral("a/."));
  EXPECT_EQ(errorBoxText(QStringLiteral(u"Año")), QStringLiteral(u"Año."));
}

TEST(ErrorBoxText, KeepsAMessageEndingInAFullStopOrALowerCharacter) {
  EXPECT_EQ(errorBoxText(QStringLiteral("Done.")), QStringLiteral("Done."));
  for (const char* message :
       {"Stop!", "list (a, b)", "one,", "minus-", "plus+", "trailing ", "quote\"", "tab\t"}) {
    EXPECT_EQ(errorBoxText(QString::fromLatin1(message)), QString::fromLatin1(message)) << message;
  }
}

TEST(ErrorBoxText, AnEmptyMessageBecomesAFullStop) {
  EXPECT_EQ(errorBoxText(QString()), QStringLiteral("."));
}

TEST(MessageText, ReadsUtf8AndFallsBackToCp1252) {
  EXPECT_EQ(messageText(std::runtime_error("Fichero \xC3\xA1rbol")),
            QStringLiteral(u"Fichero árbol"));
  // A lone \xE1 is no UTF-8: it is cp1252's a-acute; \x80 is the euro sign there.
  EXPECT_EQ(messageText(std::runtime_error("Fichero \xE1rbol \x80")),
            QStringLiteral(u"Fichero árbol €"));
}

TEST(ErrorReport, ShowsTheMessageInACriticalBoxTitledVeskelAndGoesOn) {
  testing::ScriptedDialogs dialogs;
  ErrorReport report(dialogs);
  bool after = false;
  report.guard([] { throw std::runtime_error("Invalid HTML document"); });
  report.guard([&] { after = true; });
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0].title, QStringLiteral("Veskel"));
  EXPECT_EQ(dialogs.errors[0].text, QStringLiteral("Invalid HTML document."));
  EXPECT_TRUE(after);
}

TEST(ErrorReport, ReportsErrorsThatAreNoStandardExceptions) {
  testing::ScriptedDialogs dialogs;
  ErrorReport report(dialogs);
  report.guard([] { throw 42; });
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0].text, QStringLiteral("Unknown error."));
}

}  // namespace
}  // namespace quillon::shell
