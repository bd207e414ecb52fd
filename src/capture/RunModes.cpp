#include "capture/RunModes.h"

#include "capture/AutoMode.h"
#include "capture/BuiltInSiteMode.h"
#include "parsers/Site.h"

namespace quillon::capture {

std::unique_ptr<RunMode> runModeFor(std::string_view code) {
  if (code == "auto") return std::make_unique<AutoMode>();
  if (const auto site = parsers::siteFromCode(code))
    return std::make_unique<BuiltInSiteMode>(*site);
  return nullptr;
}

}  // namespace quillon::capture
