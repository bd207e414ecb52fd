// What the journal holds of a run that waits for a person: the run stays open at that page,
// so that a crash during the wait goes on there. (A run that a refusal or a check ended stays
// open too: the command line's resume test shows it end to end.)

#include "JournalTestSupport.h"
#include "capture/CaptureController.h"
#include "capture/FakeWindow.h"
#include "capture/RunJournal.h"
#include "support/FakeBrowser.h"
#include "support/FakeClock.h"
#include "support/FakeDocument.h"

#include <gtest/gtest.h>

namespace quillon::journal {
namespace {

using namespace testing;
namespace qt = quillon::testing;

std::shared_ptr<qt::FakeDocument> listingPage(std::u16string name, std::u16string next) {
  auto doc = std::make_shared<qt::FakeDocument>();
  doc->add(qt::classed(u"listingTitle", std::move(name)));
  doc->add(qt::classed(u"phoneNumber", u"416-555-0100"));
  doc->add(qt::anchor(u"n", u"Next &gt;", std::move(next)));
  return doc;
}

std::shared_ptr<qt::FakeDocument> checkPage() {
  auto doc = std::make_shared<qt::FakeDocument>();
  qt::FakeElement body;
  body.tag = u"BODY";
  body.text = u"Just a moment...";
  doc->add(body);
  return doc;
}

// A two-page search whose second page asks for a person, journalled as the window does.
struct JournalledRun {
  TempFolder folder;
  std::string path = folder.file("session.qjournal");
  std::unique_ptr<results::ResultsTable> table = newTable();
  Journal journal{path};
  qt::FakeBrowser browser;
  qt::FakeWindow window;
  qt::ScriptedPump pump;
  qt::FakeClock clock;
  capture::DownloadBusyFlag busy;
  capture::CaptureController controller{{browser, window, *table, pump, busy}};
  capture::RunJournal recorder{journal, nullptr, true};

  JournalledRun() {
    journal.attach(*table);
    controller.setClock(clock);
    controller.addObserver(recorder);
    browser.location = u"http://ca/1";
    browser.document = listingPage(u"Page One", u"http://ca/2");
    browser.onNavigate = [this](std::u16string_view) {
      browser.httpStatus = 403;
      browser.document = checkPage();
    };
  }
  ~JournalledRun() { journal.detach(); }
};

TEST(RunJournalEnds, ACrashWhileTheRunWaitsForAPersonResumesAtThatPage) {
  JournalledRun run;
  run.controller.setPausesForPersons(true);
  std::optional<RunRecord> duringPause;
  run.pump.onPass = [&](int) {
    if (!run.controller.waitingForPerson() || duringPause) return;
    duringPause = run.journal.lastRun();  // what the file holds, were the window to die now
    run.controller.stop();
  };
  run.controller.capture(parsers::Site::CA);
  ASSERT_TRUE(duringPause);
  EXPECT_EQ(duringPause->start.mode, "ca");
  EXPECT_EQ(duringPause->start.startAddress, "http://ca/1");
  EXPECT_FALSE(duringPause->ended);
  EXPECT_EQ(duringPause->nextAddress, "http://ca/2");
  EXPECT_EQ(capture::resumptionOf(*duringPause).firstPage, 2);
  // Stop during the pause ends the run as Stop always does.
  EXPECT_TRUE(run.journal.lastRun()->ended);
  EXPECT_EQ(run.journal.lastRun()->endReason, "Stop");
}

}  // namespace
}  // namespace quillon::journal
