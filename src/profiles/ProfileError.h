#pragma once

#include <stdexcept>
#include <string>

namespace quillon::profiles {

// A profile that cannot be used: a file that does not read, a key or value that is wrong, a
// page on which a profile cannot be taught. The message names the file and the key.
class ProfileError : public std::runtime_error {
 public:
  explicit ProfileError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quillon::profiles
