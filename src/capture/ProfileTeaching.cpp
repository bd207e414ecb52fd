#include "capture/ProfileTeaching.h"

#include "capture/Browser.h"
#include "capture/CaptureError.h"
#include "capture/Pause2.h"
#include "profiles/PageTree.h"
#include "profiles/ProfileError.h"
#include "text/Utf8.h"
#include "url/UrlParts.h"
#include "url/UrlResolution.h"

#include <functional>

namespace quillon::capture {
namespace {

using Clock = std::chrono::steady_clock;

// How long going back to the page taught on may take.
constexpr auto kBackTime = std::chrono::seconds(10);

profiles::PageTree readTree(Browser& browser) {
  try {
    return profiles::decodePageTree(browser.PageTree());
  } catch (const profiles::ProfileError& error) {
    throw CaptureError(std::string("The page could not be read: ") + error.what());
  }
}

std::string quoted(std::string_view text) {
  std::string out(1, '"');
  out.append(text).push_back('"');
  return out;
}

std::string location(const Browser& browser) { return text::utf16ToUtf8(browser.LocationURL()); }

// Whether the browser loads or shows another document than the page at `page` (a move to a
// place on the same page is none).
bool leftPage(const Browser& browser, const std::string& page) {
  return browser.ReadyState() != Browser::kReadyStateComplete ||
         url::withoutFragment(location(browser)) != url::withoutFragment(page);
}

// Waits for the browser to finish loading, then, when it shows another address, goes back
// to the page and waits for it. Returns the address the click led to.
std::string returnTo(Browser& browser, MessagePump& pump, const std::string& page) {
  const auto waitFor = [&](const std::function<bool()>& done) {
    for (const auto deadline = Clock::now() + kBackTime; !done() && Clock::now() < deadline;) {
      Pause2(50, pump);
    }
  };
  waitFor([&] { return browser.ReadyState() == Browser::kReadyStateComplete; });
  const std::string reached = location(browser);
  if (url::withoutFragment(reached) != url::withoutFragment(page)) {
    browser.GoBack();
    waitFor([&] { return !leftPage(browser, page); });
  }
  return reached;
}

struct Click {
  int clicked = 0;
  std::string leftFor;  // the address the click led to; empty when the page stayed
};

// Clicks, then gives the page up to `settle` to change what `look` sees and hold it for a
// poll (or, with `grows`, to make it larger). A click that loads another page is undone.
Click clickAndSettle(Browser& browser, MessagePump& pump, const std::string& selector,
                     const std::string& within, bool all, std::chrono::milliseconds settle,
                     const std::function<std::string()>& look) {
  const std::string page = location(browser);
  const std::string before = look();
  Click click;
  click.clicked = browser.ClickElements(selector, within, all);
  if (click.clicked == 0) return click;
  std::string previous = before;
  for (const auto deadline = Clock::now() + settle; Clock::now() < deadline;) {
    Pause2(100, pump);
    if (leftPage(browser, page)) {
      click.leftFor = returnTo(browser, pump, page);
      return click;
    }
    const std::string now = look();
    if (now != before && now == previous) break;
    previous = now;
  }
  return click;
}

std::string leftNote(const std::string& what, const std::string& selector, const Click& click) {
  return "clicking " + what + " " + quoted(selector) + " loaded another page (" + click.leftFor +
         "); the teacher went back and does not use it";
}

// The listings the profile finds on the page shown.
std::size_t listingsShown(Browser& browser, const profiles::Profile& profile) {
  return profiles::readTaughtListings(readTree(browser), profile).size();
}

void tryLoadMore(Browser& browser, MessagePump& pump, std::chrono::milliseconds settle,
                 profiles::TeachResult& result) {
  profiles::Profile& profile = result.profile;
  const std::string button = profile.loadMore;
  profile.loadMore.clear();
  const std::size_t before = listingsShown(browser, profile);
  std::size_t after = before;
  const Click click = clickAndSettle(browser, pump, button, {}, false, settle, [&] {
    after = listingsShown(browser, profile);
    // Settled once the count has grown and held for a poll.
    return std::to_string(after > before ? after : before);
  });
  if (!click.leftFor.empty()) {
    result.notes.push_back(leftNote("the \"load more\" guess", button, click));
  } else if (click.clicked > 0 && after > before) {
    profile.loadMore = button;
  } else {
    result.notes.push_back("the \"load more\" guess " + quoted(button) +
                           " is not kept: a click on it showed no more listings");
  }
}

}  // namespace

std::string profileHost(std::string_view pageUrl) { return url::urlHost(pageUrl); }

profiles::TeachResult teachFromPage(Browser& browser, MessagePump& pump,
                                    const profiles::TeachExamples& examples,
                                    std::chrono::milliseconds settle) {
  profiles::PageTree tree = readTree(browser);
  profiles::TeachResult result = profiles::teachProfile(tree, examples);
  if (!result.ok && !result.revealGuess.empty()) {
    const std::string reveal = result.revealGuess;
    const Click click = clickAndSettle(browser, pump, reveal, result.profile.listing, true, settle,
                                       [&browser] { return browser.PageTree(); });
    if (click.clicked > 0) {
      tree = readTree(browser);
      // What the page shows now is what counts, also for what is still missing.
      result = profiles::teachProfile(tree, examples);
      if (!click.leftFor.empty()) {
        result.notes.push_back(leftNote("the buttons", reveal, click));
      } else if (result.ok && result.profile.reveal.empty()) {
        result.profile.reveal = reveal;
      }
    }
  }
  if (result.ok && !result.profile.loadMore.empty()) tryLoadMore(browser, pump, settle, result);
  const std::string host = profileHost(tree.url);
  result.profile.name = host.empty() ? "profile" : host;
  if (!host.empty()) result.profile.hosts = {host};
  return result;
}

}  // namespace quillon::capture
