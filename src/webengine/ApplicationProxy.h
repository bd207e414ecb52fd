#pragma once

#include "webfetch/ProxySetting.h"

#include <optional>

namespace quillon::webengine {

// Sends the page loads of every browser of the process through the proxy, or directly (none),
// with its login when it has one. The engine takes the setting when a load asks for one and
// gives it to the loads after that one: set it before the first load.
void useApplicationProxy(const std::optional<webfetch::ProxySetting>& proxy);

}  // namespace quillon::webengine
