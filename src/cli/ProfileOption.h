#pragma once

#include "profiles/Profile.h"

#include <optional>
#include <ostream>
#include <string>

namespace quillon::cli {

// The help line of --profile.
extern const char* const kProfileOptionHelp;

// The profile that --profile names: a file, or a profile of that name in the profile folder
// ($XDG_DATA_HOME/quillon/profiles). Says why not ("quillon-cli COMMAND: profile FILE, key
// ...: ...") and gives nothing when it cannot be used. A file of the folder that does not
// read is named once ("quillon-cli COMMAND: skipped profile FILE: ...") and left out.
std::optional<profiles::Profile> loadProfileOption(const std::string& nameOrPath,
                                                   const std::string& command, std::ostream& err);

}  // namespace quillon::cli
