#include "cli/FetchOptions.h"

#include "webengine/ApplicationProxy.h"
#include "webfetch/HostOverride.h"

#include <exception>

namespace quillon::cli {

const char* const kFetchOptionsHelp =
    "  --resolve H:P:A   send what is fetched over HTTP (e-mail lookups, detail pages)\n"
    "                    for host H, port P to address A (as curl's option of that\n"
    "                    name); may be repeated\n"
    "  --connect-to H:P:CH:CP\n"
    "                    connect what is fetched over HTTP for host H, port P to host\n"
    "                    CH, port CP (as curl's option of that name: an empty H or P\n"
    "                    matches any, an empty CH or CP keeps the request's own); may be\n"
    "                    repeated\n"
    "  --timeout SECONDS the longest wait for one page to load (default 60)\n"
    "  --proxy URL       send every page load and every fetch over HTTP through the proxy\n"
    "                    http://[USER:PASSWORD@]HOST:PORT or socks5://HOST:PORT\n";

void addFetchOptions(CommandLine& line) {
  line.addValue(QStringLiteral("timeout"), "--timeout takes a number of seconds from 1 to 3600");
  line.addValue(QStringLiteral("resolve"), "--resolve takes HOST:PORT:ADDRESS");
  line.addValue(QStringLiteral("connect-to"),
                "--connect-to takes HOST:PORT:CONNECT-HOST:CONNECT-PORT");
  line.addValue(QStringLiteral("proxy"),
                "--proxy takes http://[USER:PASSWORD@]HOST:PORT or socks5://HOST:PORT");
}

webfetch::HostRouting FetchOptions::routing() const {
  return {resolve, connectTo, proxy ? proxy->curlAddress() : std::string()};
}

void useProxy(const std::optional<webfetch::ProxySetting>& proxy) {
  if (proxy) webengine::useApplicationProxy(proxy);
}

std::optional<FetchOptions> readFetchOptions(const CommandLine& line, CommandContext& context) {
  const auto timeout = line.number(QStringLiteral("timeout"), 1, 3600, 60, context);
  if (!timeout) return std::nullopt;
  FetchOptions options;
  options.timeoutSeconds = *timeout;
  options.resolve = line.values(QStringLiteral("resolve"));
  options.connectTo = line.values(QStringLiteral("connect-to"));
  try {
    for (const std::string& entry : options.resolve) webfetch::checkHostOverride(entry);
    for (const std::string& entry : options.connectTo) webfetch::checkConnectTo(entry);
    if (line.isSet(QStringLiteral("proxy"))) {
      options.proxy = webfetch::parseProxy(line.value(QStringLiteral("proxy")));
    }
  } catch (const std::exception& error) {
    line.fail(context, error.what());
    return std::nullopt;
  }
  return options;
}

}  // namespace quillon::cli
