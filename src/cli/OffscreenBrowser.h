#pragma once

#include <QUrl>

#include <chrono>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

class QGuiApplication;

namespace quillon::webengine {
class WebEngineBrowser;
}

namespace quillon::cli {

// The Qt application that the browser commands need: offscreen unless a platform is
// chosen, with Chromium's sandbox off when run as root, and the engine's own log silenced
// unless QUILLON_ENGINE_LOG is set. Returns nullptr when an application exists already
// (tests).
std::unique_ptr<QGuiApplication> makeOffscreenApplication();

// Loads the address and waits until the page is complete. Nothing when it loaded, else
// why not: "the page did not finish loading within N seconds", or "could not load URL:
// REASON" for a failed load or an answer with an HTTP error status.
std::optional<std::string> loadPage(webengine::WebEngineBrowser& browser, const QUrl& url,
                                    std::chrono::seconds timeout);

// An address with a scheme stays as it is; anything else must be a readable file and
// becomes a file: address. Writes the reason and returns nullopt otherwise.
std::optional<QUrl> resolveAddress(const std::string& address, std::ostream& err);

}  // namespace quillon::cli
