#include "capture/DetectedCards.h"

#include "capture/Browser.h"
#include "capture/CaptureError.h"
#include "profiles/CardDetection.h"
#include "profiles/PageTree.h"
#include "profiles/ProfileError.h"

#include <utility>

namespace quillon::capture {
namespace {

profiles::TeachResult detectOn(Browser& browser) {
  try {
    return profiles::detectProfile(profiles::decodePageTree(browser.PageTree()));
  } catch (const profiles::ProfileError& error) {
    throw CaptureError(std::string("The page could not be read: ") + error.what());
  }
}

}  // namespace

profiles::TeachResult detectShownPage(Browser& browser) { return detectOn(browser); }

DetectedCards detectCards(Browser& browser, MessagePump& pump,
                          const std::function<void(const std::string&)>& warn, int page,
                          ProfileMode::Limits limits) {
  DetectedCards found;
  found.detection = detectOn(browser);
  if (!found.detection.ok) return found;
  profiles::Profile clicked = found.detection.profile;
  if (!clicked.loadMore.empty() || !clicked.reveal.empty()) {
    ProfileMode(clicked, limits).prepare(browser, pump, warn, page);
    // What the clicks brought (the telephones, the next cards) is detected anew.
    profiles::TeachResult again = detectOn(browser);
    if (again.ok) {
      again.profile.loadMore = clicked.loadMore;
      again.profile.reveal = clicked.reveal;
      found.detection = std::move(again);
    }
  }
  profiles::Profile reading = found.detection.profile;
  reading.loadMore.clear();
  reading.reveal.clear();
  ProfileMode reader(std::move(reading), limits);
  found.cards = reader.readListings(browser, pump, warn, page);
  found.page = reader.lastPage().page;
  return found;
}

}  // namespace quillon::capture
