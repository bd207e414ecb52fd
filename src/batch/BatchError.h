#pragma once

#include <stdexcept>
#include <string>

namespace quillon::batch {

// A list of searches that cannot be run as given (an empty list, a line that is no web
// address, a template without its placeholder, a shard out of range, text that is not
// UTF-8); the message says what and where, in words.
class BatchError : public std::runtime_error {
 public:
  explicit BatchError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quillon::batch
