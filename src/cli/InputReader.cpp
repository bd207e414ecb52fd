#include "cli/InputReader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace quillon::cli {
namespace {

std::optional<std::string> readStream(std::istream& stream) {
  std::ostringstream buffer;
  buffer << stream.rdbuf();
  // An empty stream sets failbit on the copy; that is an empty input, not an error.
  if (stream.bad()) return std::nullopt;
  return std::move(buffer).str();
}

}  // namespace

std::optional<std::string> readInput(const std::string& path, std::istream& in, std::ostream& err) {
  if (path.empty() || path == "-") {
    auto bytes = readStream(in);
    if (!bytes) err << "quillon-cli: cannot read standard input\n";
    return bytes;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    err << "quillon-cli: cannot read " << path << ": " << std::strerror(errno) << '\n';
    return std::nullopt;
  }
  auto bytes = readStream(file);
  if (!bytes) err << "quillon-cli: cannot read " << path << '\n';
  return bytes;
}

}  // namespace quillon::cli
