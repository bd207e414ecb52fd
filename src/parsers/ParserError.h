#pragma once

#include <stdexcept>
#include <string>

namespace quillon::parsers {

// Raised by the regular-expression engine for a malformed pattern or an internal fault.
class ERegExpr : public std::runtime_error {
 public:
  explicit ERegExpr(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quillon::parsers
