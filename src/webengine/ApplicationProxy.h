#pragma once

#include "webfetch/ProxySetting.h"

#include <optional>

class QWebEngineProfile;

namespace quillon::webengine {

// Sends the page loads of every browser of the process through the proxy, or directly (none),
// with its login when it has one. The engine takes the setting when a load asks for one and
// gives it to the loads after that one: set it before the first load.
void useApplicationProxy(const std::optional<webfetch::ProxySetting>& proxy);

}  // namespace quillon::webengine

namespace quillon::webengine {

// Makes the application proxy hold for the next page load of the profile's pages: a load that
// goes nowhere (a port that the engine refuses before any connection) makes the engine take
// the setting, which it would otherwise give only to the loads after the next one.
void takeApplicationProxy(QWebEngineProfile* profile);

}  // namespace quillon::webengine
