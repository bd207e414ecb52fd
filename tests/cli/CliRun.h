#pragma once

#include "cli/Command.h"

#include <sstream>
#include <string>
#include <vector>

namespace quillon::cli::testing {

// What one quillon-cli call gave: its exit status and both output streams.
struct CliRun {
  int status;
  std::string out;
  std::string err;
};

// Runs "quillon-cli ARGS..." in this process with the given standard input.
inline CliRun runWith(std::vector<std::string> args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  CommandContext context{std::move(args), in, out, err};
  const int status = runCli(context);
  return {status, out.str(), err.str()};
}

}  // namespace quillon::cli::testing
