#pragma once

#include "capture/ProfileMode.h"
#include "profiles/Teacher.h"
#include "structured/PageData.h"

#include <functional>
#include <string>
#include <vector>

namespace quillon {
class MessagePump;
}

namespace quillon::capture {

class Browser;

// The listing cards of the page shown, found by detection (profiles::detectProfile) and read as
// a run with the detected profile reads them.
struct DetectedCards {
  // The detection: when ok, its profile (reveal and "load more" selectors kept, as a file of
  // it would run) and its counts over the page as it shows after the clicks.
  profiles::TeachResult detection;
  std::vector<structured::Listing> cards;  // one per card, as the browser read them
  structured::PageData page;               // the page's data after the clicks
};

// Detects the cards of the page shown. When the detected profile has a "load more" button or
// reveal buttons, they are clicked first, as a profile run clicks them (within its limits),
// and the page is detected again on what it shows then. Without cards, detection.ok is false
// and nothing was clicked. Throws CaptureError when the page cannot be read.
DetectedCards detectCards(Browser& browser, MessagePump& pump,
                          const std::function<void(const std::string&)>& warn, int page = 1,
                          ProfileMode::Limits limits = {});

// Detection alone on the page shown, nothing clicked (for a hint about the page).
profiles::TeachResult detectShownPage(Browser& browser);

}  // namespace quillon::capture
