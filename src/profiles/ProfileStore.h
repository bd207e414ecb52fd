#pragma once

#include "profiles/Profile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::profiles {

// A profile and the file it was read from.
struct StoredProfile {
  std::filesystem::path path;
  Profile profile;
};

// The profiles of a folder that read, in the order of their names, and a line for each file
// that does not.
struct ProfileShelf {
  std::vector<StoredProfile> profiles;
  std::vector<std::string> problems;
};

// Where profiles live: $XDG_DATA_HOME/quillon/profiles, or ~/.local/share/quillon/profiles
// when XDG_DATA_HOME is unset or not absolute.
std::filesystem::path profileFolder();

// Reads every *.json file of the folder (none when it does not exist).
ProfileShelf readShelf(const std::filesystem::path& folder);

// The profile named by a file path (one that names an existing file, or holds a "/"), else
// the one of that name in the folder. Throws ProfileError when there is none or it does not
// read. A file of the folder that does not read is skipped: named in `skipped`, once, when
// that is given, else in the error when no profile has the name.
StoredProfile findProfile(std::string_view nameOrPath, const std::filesystem::path& folder,
                          std::vector<std::string>* skipped = nullptr);

// The first profile whose hosts take the host; nullptr when none does.
const StoredProfile* suggestedProfile(const std::vector<StoredProfile>& profiles,
                                      std::string_view host);

// The file in the folder for a profile of the name: its letters, digits, "-", "_" and "."
// (others as "-"), ".json" after it.
std::filesystem::path profileFileFor(std::string_view name, const std::filesystem::path& folder);

}  // namespace quillon::profiles
