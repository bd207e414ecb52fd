#pragma once

#include <stdexcept>
#include <string>

namespace quillon::structured {

// Raised for page data that does not follow the collect script's format, for a fetched page
// that cannot be read within the reader's bounds, and, inside the reader, for a JSON-LD block
// that is skipped (the message then says why).
class StructuredDataError : public std::runtime_error {
 public:
  explicit StructuredDataError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quillon::structured
