#pragma once

#include <QUrl>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

class QGuiApplication;

namespace quillon::cli {

// The Qt application that the browser commands need: offscreen unless a platform is
// chosen, with Chromium's sandbox off when run as root. Returns nullptr when an
// application exists already (tests).
std::unique_ptr<QGuiApplication> makeOffscreenApplication();

// An address with a scheme stays as it is; anything else must be a readable file and
// becomes a file: address. Writes the reason and returns nullopt otherwise.
std::optional<QUrl> resolveAddress(const std::string& address, std::ostream& err);

}  // namespace quillon::cli
