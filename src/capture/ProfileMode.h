#pragma once

#include "capture/RunMode.h"
#include "profiles/FieldValues.h"
#include "profiles/Profile.h"
#include "profiles/ProfilePage.h"

#include <chrono>
#include <functional>
#include <string>

namespace quillon::capture {

// A run over a site profile: on each page the "load more" button is clicked until it goes,
// the listing count stops growing or a bound is reached; the reveal buttons inside the
// listings are clicked, with a bounded wait for the page to settle; then the profile's
// selectors are run in one evaluation and every container becomes a row. The next page is
// the profile's next link, or the auto mode's rules without one. A page on which the listing
// selector matches nothing ends the run: "page N has no listings for profile P".
class ProfileMode final : public RunMode {
 public:
  // How long the page may take to settle after clicks, and how many "load more" clicks a
  // page gets at most.
  struct Limits {
    std::chrono::milliseconds settle{5000};
    std::chrono::milliseconds poll{100};
    int loadMoreClicks = 50;
  };

  // Throws ProfileError for a pattern that does not compile.
  explicit ProfileMode(profiles::Profile profile);
  ProfileMode(profiles::Profile profile, Limits limits);

  results::CaptionSet captions() const override;
  std::string_view countSuffix() const override;
  std::string code() const override { return "profile"; }
  bool looksUpListingPages() const override { return m_profile.emailLookup; }
  std::vector<std::pair<std::string, std::string>> journalledOptions() const override;
  PageReading readPage(RunContext& context) override;
  PageTurn turnPage(RunContext& context) override;

  // What readPage reads of the page shown (after its clicks), without a run: the listings,
  // one per container. `page` numbers the warnings.
  std::vector<structured::Listing> readListings(Browser& browser, MessagePump& pump,
                                                const std::function<void(const std::string&)>& warn,
                                                int page = 1);
  const profiles::Profile& profile() const { return m_profile; }
  // Clicks "load more" and the reveal buttons as readListings does, without reading.
  void prepare(Browser& browser, MessagePump& pump,
               const std::function<void(const std::string&)>& warn, int page = 1);
  // What the page gave when it was read last (its page data for the next page's rules).
  const profiles::ProfilePage& lastPage() const { return m_page; }

 private:
  profiles::ProfilePage read(Browser& browser);
  void loadEverything(Browser& browser, MessagePump& pump,
                      const std::function<void(const std::string&)>& warn, int page);
  void revealAll(Browser& browser, MessagePump& pump);
  int addRows(RunContext& context, const std::vector<structured::Listing>& listings);

  profiles::Profile m_profile;
  Limits m_limits;
  profiles::FieldValues m_values;
  std::string m_request;
  profiles::ProfilePage m_page;  // the page read last
  std::string m_answer;          // its collect script's answer
};

}  // namespace quillon::capture
