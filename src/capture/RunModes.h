#pragma once

#include "capture/RunMode.h"

#include <memory>
#include <string_view>

namespace quillon::capture {

// The run mode a code names: "es", "it", "au" or "ca" for a built-in directory, "auto" for
// any site's schema.org listings; nullptr for anything else.
std::unique_ptr<RunMode> runModeFor(std::string_view code);

}  // namespace quillon::capture
