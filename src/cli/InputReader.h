#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace quillon::cli {

// Reads all bytes of a file, or of the given stream when the path is empty or "-".
// Returns nullopt and writes "quillon-cli: cannot read ..." to err when it fails.
std::optional<std::string> readInput(const std::string& path, std::istream& in, std::ostream& err);

}  // namespace quillon::cli
