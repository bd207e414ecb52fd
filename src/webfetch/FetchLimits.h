#pragma once

#include <chrono>
#include <cstddef>

namespace quillon::webfetch {

// Bounds on one fetch, so that no server can hold the program. Each lookup runs while a
// capture waits for it, so a dead host costs at most connectTimeout and a live but stuck
// one at most totalTimeout. Every value must be positive.
struct FetchLimits {
  // Name resolution and connection.
  std::chrono::milliseconds connectTimeout{10'000};
  // The whole fetch, redirects included.
  std::chrono::milliseconds totalTimeout{30'000};
  // A transfer slower than lowSpeedBytesPerSecond for lowSpeedTime is dropped early.
  std::chrono::seconds lowSpeedTime{15};
  long lowSpeedBytesPerSecond = 1;
  // The body is cut here; what was read up to the cap is kept.
  std::size_t maxBodyBytes = 8 * 1024 * 1024;
  long maxRedirects = 10;
};

// Throws WebFetchError naming the first value that is not positive.
void checkFetchLimits(const FetchLimits& limits);

}  // namespace quillon::webfetch
