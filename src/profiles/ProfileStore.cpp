#include "profiles/ProfileStore.h"

#include "profiles/ProfileError.h"
#include "profiles/ProfileFile.h"
#include "text/Ascii.h"

#include <algorithm>
#include <cstdlib>

namespace quillon::profiles {

std::filesystem::path profileFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::filesystem::path base;
  if (data != nullptr && data[0] == '/') {
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share";
  }
  return base / "quillon" / "profiles";
}

ProfileShelf readShelf(const std::filesystem::path& folder) {
  ProfileShelf shelf;
  std::error_code error;
  std::vector<std::filesystem::path> files;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (it->path().extension() == ".json" && it->is_regular_file(error))
      files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    try {
      shelf.profiles.push_back({file, loadProfileFile(file)});
    } catch (const ProfileError& problem) {
      shelf.problems.emplace_back(problem.what());
    }
  }
  std::stable_sort(shelf.profiles.begin(), shelf.profiles.end(),
                   [](const StoredProfile& a, const StoredProfile& b) {
                     return a.profile.name < b.profile.name;
                   });
  return shelf;
}

StoredProfile findProfile(std::string_view nameOrPath, const std::filesystem::path& folder,
                          std::vector<std::string>* skipped) {
  const std::filesystem::path path(nameOrPath);
  std::error_code error;
  if (nameOrPath.find('/') != std::string_view::npos ||
      std::filesystem::is_regular_file(path, error)) {
    return {path, loadProfileFile(path)};
  }
  ProfileShelf shelf = readShelf(folder);
  if (skipped != nullptr) *skipped = shelf.problems;
  for (StoredProfile& stored : shelf.profiles) {
    if (stored.profile.name == nameOrPath) return std::move(stored);
  }
  std::string message =
      "no profile named \"" + std::string(nameOrPath) + "\" in " + folder.string();
  if (skipped == nullptr && !shelf.problems.empty()) message += " (" + shelf.problems.front() + ")";
  throw ProfileError(message);
}

const StoredProfile* suggestedProfile(const std::vector<StoredProfile>& profiles,
                                      std::string_view host) {
  for (const StoredProfile& stored : profiles) {
    if (matchesHost(stored.profile, host)) return &stored;
  }
  return nullptr;
}

std::filesystem::path profileFileFor(std::string_view name, const std::filesystem::path& folder) {
  std::string file;
  for (const char c : name) {
    const bool plain = text::isAsciiAlphanumeric(c) || c == '-' || c == '_' || c == '.';
    file += plain ? c : '-';
  }
  while (!file.empty() && file.front() == '.') file.erase(0, 1);
  if (file.empty()) file = "profile";
  return folder / (file + ".json");
}

}  // namespace quillon::profiles
