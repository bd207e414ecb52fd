#include "webfetch/FetchLimits.h"

#include "webfetch/WebFetchError.h"

namespace quillon::webfetch {

void checkFetchLimits(const FetchLimits& limits) {
  const auto fail = [](const char* name) {
    throw WebFetchError(std::string("Fetch limit ") + name + " must be positive");
  };
  if (limits.connectTimeout.count() <= 0) fail("connectTimeout");
  if (limits.totalTimeout.count() <= 0) fail("totalTimeout");
  if (limits.lowSpeedTime.count() <= 0) fail("lowSpeedTime");
  if (limits.lowSpeedBytesPerSecond <= 0) fail("lowSpeedBytesPerSecond");
  if (limits.maxBodyBytes == 0) fail("maxBodyBytes");
  if (limits.maxRedirects <= 0) fail("maxRedirects");
}

}  // namespace quillon::webfetch
