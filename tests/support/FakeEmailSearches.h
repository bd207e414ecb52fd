#pragma once

#include "capture/EmailSearches.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quillon::testing {

// E-mail searches that answer from a function, later: a search reports on the next drive()
// (the run's next pump pass), on wait() or, with an empty e-mail, on cancelAll(). It
// remembers what it was asked. Runs get forwarders (handOut), so that the record outlives
// each run's searches.
class FakeEmailSearches final : public capture::EmailSearches {
 public:
  // The e-mail for an address (listing page or website); empty by default.
  std::function<std::string(const std::string& url)> answer = [](const std::string&) {
    return std::string();
  };
  std::vector<std::string> lookups;   // listing pages asked for, in order
  std::vector<std::string> websites;  // websites asked for, in order
  int cancels = 0;
  // False: searches report only on wait() or cancelAll(), as slow fetches would.
  bool reportOnDrive = true;
  // Runs when a wait begins, as what the wait's message dispatch runs (a click) would.
  std::function<void()> onWait;

  void lookUp(std::string url, std::function<void(std::string)> done) override {
    lookups.push_back(url);
    m_pending.emplace_back(std::move(url), std::move(done));
  }
  void searchWebsite(std::string url, std::function<void(std::string)> done) override {
    websites.push_back(url);
    m_pending.emplace_back(std::move(url), std::move(done));
  }
  void drive() override {
    if (!reportOnDrive) return;
    auto due = std::exchange(m_pending, {});
    for (auto& [url, done] : due) done(answer(url));
  }
  void wait() override {
    if (onWait && !m_pending.empty()) onWait();
    while (!m_pending.empty()) {
      auto due = std::exchange(m_pending, {});
      for (auto& [url, done] : due) done(answer(url));
    }
  }
  void cancelAll() override {
    ++cancels;
    auto due = std::exchange(m_pending, {});
    for (auto& [url, done] : due) done(std::string());
  }
  std::size_t pending() const { return m_pending.size(); }

  // A run's own searches, all passed on to this one.
  std::unique_ptr<capture::EmailSearches> handOut() { return std::make_unique<Forwarder>(*this); }

 private:
  class Forwarder final : public capture::EmailSearches {
   public:
    explicit Forwarder(FakeEmailSearches& to) : m_to(to) {}
    void lookUp(std::string url, std::function<void(std::string)> done) override {
      m_to.lookUp(std::move(url), std::move(done));
    }
    void searchWebsite(std::string url, std::function<void(std::string)> done) override {
      m_to.searchWebsite(std::move(url), std::move(done));
    }
    void drive() override { m_to.drive(); }
    void wait() override { m_to.wait(); }
    void cancelAll() override { m_to.cancelAll(); }

   private:
    FakeEmailSearches& m_to;
  };

  std::vector<std::pair<std::string, std::function<void(std::string)>>> m_pending;
};

}  // namespace quillon::testing
