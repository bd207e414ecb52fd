#include "capture/ProfileTeaching.h"

#include "capture/Browser.h"
#include "capture/CaptureError.h"
#include "capture/Pause2.h"
#include "profiles/PageTree.h"
#include "profiles/ProfileError.h"
#include "url/UrlParts.h"

namespace quillon::capture {
namespace {

profiles::PageTree readTree(Browser& browser) {
  try {
    return profiles::decodePageTree(browser.PageTree());
  } catch (const profiles::ProfileError& error) {
    throw CaptureError(std::string("The page could not be read: ") + error.what());
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
    if (browser.ClickElements(reveal, result.profile.listing, true) > 0) {
      const std::string before = browser.PageTree();
      std::string previous = before;
      const auto deadline = std::chrono::steady_clock::now() + settle;
      while (std::chrono::steady_clock::now() < deadline) {
        Pause2(100, pump);
        const std::string now = browser.PageTree();
        if (now != before && now == previous) break;
        previous = now;
      }
      tree = readTree(browser);
      // What the page shows now is what counts, also for what is still missing.
      result = profiles::teachProfile(tree, examples);
      if (result.ok && result.profile.reveal.empty()) result.profile.reveal = reveal;
    }
  }
  const std::string host = profileHost(tree.url);
  result.profile.name = host.empty() ? "profile" : host;
  if (!host.empty()) result.profile.hosts = {host};
  return result;
}

}  // namespace quillon::capture
