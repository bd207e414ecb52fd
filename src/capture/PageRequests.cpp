#include "capture/PageRequests.h"

#include <algorithm>
#include <random>
#include <utility>

namespace quillon::capture {
namespace {

PageRequests::Random systemRandom() {
  return [engine = std::minstd_rand(std::random_device{}()),
          share = std::uniform_real_distribution<double>(0.0, 1.0)]() mutable {
    return share(engine);
  };
}

}  // namespace

PageRequests::PageRequests(WaitClock& clock, std::chrono::milliseconds delay, Random random)
    : m_clock(clock),
      m_delay(std::max(delay, std::chrono::milliseconds(0))),
      m_random(random ? std::move(random) : systemRandom()),
      m_next(clock.now()) {}

void PageRequests::requested() {
  // A regular rhythm is what gives a harvester away; half the delay again at most keeps the
  // pace near what was asked.
  const double share = m_delay.count() > 0 ? std::clamp(m_random(), 0.0, 1.0) : 0.0;
  const auto extra = std::chrono::milliseconds(
      static_cast<long long>(share * static_cast<double>(m_delay.count()) / 2));
  m_next = m_clock.now() + m_delay + extra;
}

void PageRequests::refused(std::chrono::milliseconds wait) {
  m_next = std::max(m_next, m_clock.now() + wait);
}

void PageRequests::waitForTurn(MessagePump& pump, const std::function<bool()>& cut) {
  for (auto now = m_clock.now(); now < m_next && !(cut && cut()); now = m_clock.now()) {
    m_clock.pause(std::chrono::ceil<std::chrono::milliseconds>(m_next - now), pump);
  }
}

}  // namespace quillon::capture
