#include "capture/ProfileMode.h"

#include "capture/Browser.h"
#include "capture/CaptureError.h"
#include "capture/ListingRows.h"
#include "capture/Pause2.h"
#include "profiles/ProfileError.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileListings.h"
#include "results/ResultsTable.h"
#include "text/Utf8.h"

#include <utility>

namespace quillon::capture {
namespace {

using Clock = std::chrono::steady_clock;

void pause(MessagePump& pump, std::chrono::milliseconds time) {
  Pause2(static_cast<std::uint32_t>(time.count()), pump);
}

}  // namespace

ProfileMode::ProfileMode(profiles::Profile profile) : ProfileMode(std::move(profile), Limits{}) {}

ProfileMode::ProfileMode(profiles::Profile profile, Limits limits)
    : m_profile(std::move(profile)),
      m_limits(limits),
      m_values(m_profile),
      m_request(profiles::profileRequest(m_profile)) {}

results::CaptionSet ProfileMode::captions() const { return m_profile.captions; }

std::string_view ProfileMode::countSuffix() const {
  return m_profile.captions == results::CaptionSet::English ? " lines captured"
                                                            : " líneas capturadas";
}

std::vector<std::pair<std::string, std::string>> ProfileMode::journalledOptions() const {
  return {{"profile", profiles::profileJson(m_profile)}};
}

profiles::ProfilePage ProfileMode::read(Browser& browser) {
  try {
    m_answer = browser.ProfileData(m_request);
    return profiles::decodeProfilePage(m_answer, m_profile.name);
  } catch (const profiles::ProfileError& error) {
    throw CaptureError(error.what());
  }
}

void ProfileMode::loadEverything(Browser& browser, MessagePump& pump,
                                 const std::function<void(const std::string&)>& warn, int page) {
  for (int click = 0; click < m_limits.loadMoreClicks; ++click) {
    const std::size_t before = read(browser).listings.size();
    if (browser.ClickElements(m_profile.loadMore, {}, false) == 0) return;
    // Until more listings show, the button goes, or the page has had its time.
    const auto deadline = Clock::now() + m_limits.settle;
    std::size_t now = before;
    while (now <= before && Clock::now() < deadline) {
      pause(pump, m_limits.poll);
      now = read(browser).listings.size();
    }
    if (now <= before) return;  // the count stopped growing
  }
  if (warn) {
    warn("page " + std::to_string(page) + ": \"load more\" clicked " +
         std::to_string(m_limits.loadMoreClicks) + " times; the rest is left");
  }
}

void ProfileMode::revealAll(Browser& browser, MessagePump& pump) {
  const std::string before = browser.ProfileData(m_request);
  if (browser.ClickElements(m_profile.reveal, m_profile.listing, true) == 0) return;
  // The page has settled once what it shows has changed and then held still for a poll.
  const auto deadline = Clock::now() + m_limits.settle;
  std::string previous = before;
  while (Clock::now() < deadline) {
    pause(pump, m_limits.poll);
    const std::string now = browser.ProfileData(m_request);
    if (now != before && now == previous) return;
    previous = now;
  }
}

void ProfileMode::prepare(Browser& browser, MessagePump& pump,
                          const std::function<void(const std::string&)>& warn, int page) {
  if (!m_profile.loadMore.empty()) loadEverything(browser, pump, warn, page);
  if (!m_profile.reveal.empty()) revealAll(browser, pump);
}

std::vector<structured::Listing> ProfileMode::readListings(
    Browser& browser, MessagePump& pump, const std::function<void(const std::string&)>& warn,
    int page) {
  prepare(browser, pump, warn, page);
  m_page = read(browser);
  return profiles::profileListings(m_profile, m_values, m_page);
}

PageReading ProfileMode::readPage(RunContext& context) {
  std::vector<structured::Listing> listings =
      readListings(context.browser, context.pump, context.warn, context.page);
  PageReading reading;
  reading.signs = [this] { return profileAnswerSigns(m_answer); };
  if (listings.empty()) {
    reading.endReason =
        "page " + std::to_string(context.page) + " has no listings for profile " + m_profile.name;
    return reading;
  }
  reading.signature = profiles::listingsSignature(listings);
  reading.addRows = [this, &context, listings = std::move(listings)] {
    return addRows(context, listings);
  };
  return reading;
}

int ProfileMode::addRows(RunContext& context, const std::vector<structured::Listing>& listings) {
  // A row without its e-mail column gets the lookup's e-mail appended.
  const auto looksUp = [lookups = m_profile.emailLookup](const structured::Listing& listing) {
    return lookups && !listing[structured::Column::Url].empty() &&
           listing[structured::Column::Email].empty();
  };
  return addListingRows(listings, context.table, context.rowAdded, looksUp);
}

PageTurn ProfileMode::turnPage(RunContext& context) {
  PageTurn turn;
  if (const auto next = profiles::profileNextPage(m_profile, m_page, context.readAddresses)) {
    turn.followed = true;
    turn.address = *next;
    turn.linkText = m_page.nextText;
    context.browser.Navigate(text::utf8ToUtf16(*next));
    return turn;
  }
  const bool anyNext = profiles::profileNextPage(m_profile, m_page, {}).has_value();
  turn.endReason = anyNext ? "next page already read" : "no next page";
  return turn;
}

}  // namespace quillon::capture
