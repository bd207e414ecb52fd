#pragma once

#include "capture/PageSigns.h"

#include <chrono>
#include <functional>
#include <string>

namespace quillon::capture {

// What a run makes of a result page that it has read, from the page's HTTP status and what
// it holds. A page with listings is read whatever its status. One without is a check for a
// person when its signs say so (whatever its status, 200 too); else a refusal when the site
// answered 429 or 503 (which invite another request after a wait) or 403 (which does not);
// else it is read as it is.
struct PageAnswer {
  enum class Kind { Read, PersonCheck, Refused };

  Kind kind = Kind::Read;
  std::string recognised;  // PersonCheck: what showed it, as recognisePersonCheck says
  bool askAgain = false;   // Refused: whether another request may be made after a wait
};

// `signs` is asked only for a page without listings.
PageAnswer answerOf(int httpStatus, bool hasListings, const std::function<PageSigns()>& signs);

// True for the statuses of a refusal (429, 503, 403): a page that loads with one of them is
// the run's to tell of, not a page that failed to load.
bool runAnswersStatus(int httpStatus);

// The most requests a run makes for one refused page, and the longest it waits between two.
inline constexpr int kMaxPageRequests = 3;
inline constexpr std::chrono::seconds kLongestRefusalWait{120};
// The wait after a refusal when the site names none.
inline constexpr std::chrono::seconds kDefaultRefusalWait{30};

// "page 2: the site asks to wait 30 s (HTTP 429)"
std::string refusalNotice(int page, int status, std::chrono::milliseconds wait);
// "the site refused page 2 (HTTP 429)"
std::string refusedReason(int page, int status);
// "page 2 asks to prove that a person is there (\"Verify you are human\")"
std::string personCheckReason(int page, const std::string& recognised);
// Seconds as the run's messages write them: "30", "1.5", "0.25".
std::string secondsText(std::chrono::milliseconds time);

}  // namespace quillon::capture
