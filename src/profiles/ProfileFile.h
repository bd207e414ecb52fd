#pragma once

#include "profiles/Profile.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace quillon::profiles {

// Reads a profile file's JSON text (UTF-8). Every key is checked: the required ones are
// there, none is unknown, each value has its type, every selector reads as CSS and every
// pattern compiles with a group. Throws ProfileError naming the file (as `source` says it),
// the key and what is wrong: `profile shop.json, key "fields.phone.pattern": ...`.
Profile parseProfile(std::string_view json, const std::string& source);

// The profile as a file's JSON text, keys in the documented order, two-space indent.
std::string profileJson(const Profile& profile);

// The file read and parsed; ProfileError when it cannot be read or is no profile.
Profile loadProfileFile(const std::filesystem::path& path);

// Writes the file whole (a temporary file renamed over it); ProfileError when it cannot.
void saveProfileFile(const Profile& profile, const std::filesystem::path& path);

}  // namespace quillon::profiles
