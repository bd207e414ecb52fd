#pragma once

#include "cli/CommandLine.h"

#include <optional>
#include <string>
#include <vector>

namespace quillon::cli {

// The options of the commands that load pages and fetch over HTTP: --timeout, --resolve,
// --connect-to.
struct FetchOptions {
  int timeoutSeconds = 60;
  std::vector<std::string> resolve;
  std::vector<std::string> connectTo;
};

// The help lines of those options, for a command's help text.
extern const char* const kFetchOptionsHelp;

void addFetchOptions(CommandLine& line);

// Reads them once the line is parsed; the routing entries are checked here, so a malformed
// one is a usage error. Says what is wrong and gives nothing otherwise.
std::optional<FetchOptions> readFetchOptions(const CommandLine& line, CommandContext& context);

}  // namespace quillon::cli
