#pragma once

#include <string>
#include <utility>

namespace quillon::capture {

// How a capture run ended, as the command line's exit status, the journal and a batch of
// searches read it.
struct RunEnd {
  enum class Kind {
    Finished,     // no next page, a page that repeats an earlier one, the page limit
    Stopped,      // Stop, or the window closed
    Refused,      // the site refused a page (HTTP 429 or 503 each time, or 403)
    PersonCheck,  // a page asks to prove that a person is there
    Failed,       // an error ended the run (told by runFailed)
  };

  Kind kind = Kind::Finished;
  std::string reason;  // in words, as "stopped: …" says it
  int page = 0;        // the page the run ended on without reading it; 0 when none

  static RunEnd failed(std::string message) { return {Kind::Failed, std::move(message), 0}; }

  // The one rule of what an end means: false when the search was not read to its end (a
  // refused page, a check for a person, a failure), so that its exit status says so and its
  // journal can go on at that page; true for a run that ran out of pages or was stopped.
  bool readToItsEnd() const;
};

}  // namespace quillon::capture
