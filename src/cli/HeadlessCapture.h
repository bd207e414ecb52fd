#pragma once

#include "capture/CaptureController.h"
#include "cli/CaptureOptions.h"

#include <QUrl>

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace quillon::results {
class ResultsTable;
}
namespace quillon::journal {
class Journal;
}

namespace quillon::cli {

// What a capture without a window runs in: an offscreen browser, the fetches of the e-mail
// searches, a capture controller set up from the options, progress, warnings and why each
// run ended on err, Ctrl+C as Stop, and the journal's record of every page when a journal
// is given. One object serves one search or a whole batch of them.
class HeadlessCapture {
 public:
  HeadlessCapture(const CaptureOptions& options, results::ResultsTable& table,
                  journal::Journal* journal, std::ostream& err);
  ~HeadlessCapture();
  HeadlessCapture(const HeadlessCapture&) = delete;
  HeadlessCapture& operator=(const HeadlessCapture&) = delete;

  capture::CaptureController& controller();
  // Loads the address and waits until it is complete: why it did not load, or nothing.
  std::optional<std::string> load(const QUrl& url);
  // Handles what is pending, Ctrl+C among it.
  void dispatch();
  // A fresh run mode of the options' site or profile; throws CaptureError for none.
  std::unique_ptr<capture::RunMode> makeMode() const;
  // What Ctrl+C does (once); by default the controller's Stop.
  void setInterruptAction(std::function<void()> action);
  // Whether why each run ended is printed ("stopped: ..."); on by default.
  void setRunEndPrinted(bool printed);

 private:
  struct Parts;
  const CaptureOptions& m_options;
  std::unique_ptr<Parts> m_parts;
};

// Runs a capture in an offscreen browser, from the page at url, with progress, warnings and
// the end reason on err; Ctrl+C acts as Stop. A journal, when given, records every page;
// a resumed run goes on as the resumption says. Any error is reported and ends the run,
// keeping its rows. Returns how the run ended (an error: RunEnd::Kind::Failed).
capture::RunEnd captureHeadless(const CaptureOptions& options, const QUrl& url,
                                results::ResultsTable& table, journal::Journal* journal,
                                const capture::RunResumption& resumption, std::ostream& err);

}  // namespace quillon::cli
