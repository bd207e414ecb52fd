#include "cli/ProfileOption.h"

#include "profiles/ProfileError.h"
#include "profiles/ProfileStore.h"

namespace quillon::cli {

const char* const kProfileOptionHelp =
    "  --profile PROFILE a site profile: a profile file, or the name of one in\n"
    "                    $XDG_DATA_HOME/quillon/profiles (quillon-cli teach makes one)\n";

std::optional<profiles::Profile> loadProfileOption(const std::string& nameOrPath,
                                                   const std::string& command, std::ostream& err) {
  std::vector<std::string> skipped;
  const auto nameSkipped = [&] {
    for (const std::string& problem : skipped) {
      err << "quillon-cli " << command << ": skipped " << problem << "\n";
    }
  };
  try {
    profiles::Profile profile =
        profiles::findProfile(nameOrPath, profiles::profileFolder(), &skipped).profile;
    nameSkipped();
    return profile;
  } catch (const profiles::ProfileError& error) {
    nameSkipped();
    err << "quillon-cli " << command << ": " << error.what() << "\n";
    return std::nullopt;
  }
}

}  // namespace quillon::cli
