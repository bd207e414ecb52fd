#pragma once

#include <stdexcept>
#include <string>

namespace quillon::webfetch {

// Raised for a misconfigured web data component (a malformed host override, an unbounded
// limit). A fetch itself never raises: it fails silently.
class WebFetchError : public std::runtime_error {
 public:
  explicit WebFetchError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quillon::webfetch
