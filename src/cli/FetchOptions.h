#pragma once

#include "cli/CommandLine.h"
#include "webfetch/HttpFetcher.h"
#include "webfetch/ProxySetting.h"

#include <optional>
#include <string>
#include <vector>

namespace quillon::cli {

// The options of the commands that load pages and fetch over HTTP: --timeout, --resolve,
// --connect-to, --proxy.
struct FetchOptions {
  int timeoutSeconds = 60;
  std::vector<std::string> resolve;
  std::vector<std::string> connectTo;
  std::optional<webfetch::ProxySetting> proxy;

  // The routing of fetches over HTTP: the overrides and the proxy.
  webfetch::HostRouting routing() const;
};

// The help lines of those options, for a command's help text.
extern const char* const kFetchOptionsHelp;

void addFetchOptions(CommandLine& line);

// Sends every page load of this process's browser through the proxy, when there is one. Call
// it before the first page loads: the engine takes a later change only some loads later.
void useProxy(const std::optional<webfetch::ProxySetting>& proxy);

// Reads them once the line is parsed; the routing entries are checked here, so a malformed
// one is a usage error. Says what is wrong and gives nothing otherwise.
std::optional<FetchOptions> readFetchOptions(const CommandLine& line, CommandContext& context);

}  // namespace quillon::cli
