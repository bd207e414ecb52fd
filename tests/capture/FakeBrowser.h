#pragma once

#include "capture/Browser.h"
#include "capture/FakeDocument.h"
#include "base/MessagePump.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A browser that records what it is asked to do. Navigate calls the onNavigate hook,
// where a test can change the document or fire load events, as a real page load would.

namespace quillon::capture::testing {

class FakeBrowser final : public Browser {
 public:
  std::shared_ptr<FakeDocument> document = std::make_shared<FakeDocument>();
  int readyState = kReadyStateComplete;
  std::vector<std::u16string> navigations;
  int backs = 0;
  int forwards = 0;
  std::function<void(std::u16string_view)> onNavigate;

  void Navigate(std::u16string_view url) override {
    navigations.emplace_back(url);
    if (onNavigate) onNavigate(url);
  }
  void GoBack() override { ++backs; }
  void GoForward() override { ++forwards; }
  int ReadyState() const override { return readyState; }
  std::shared_ptr<const capture::HtmlDocument> Document() override { return document; }

  void addListener(BrowserListener& listener) override { m_listeners.push_back(&listener); }
  void removeListener(BrowserListener& listener) override {
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), &listener),
                      m_listeners.end());
  }

  void fireDownloadBegin() {
    for (auto* l : m_listeners) l->DownloadBegin();
  }
  void fireDownloadComplete() {
    for (auto* l : m_listeners) l->DownloadComplete();
  }
  void fireDocumentComplete(std::u16string_view url) {
    for (auto* l : m_listeners) l->DocumentComplete(url);
  }

 private:
  std::vector<BrowserListener*> m_listeners;
};

// A pump that runs a test's action on each dispatch and counts the dispatches.
class ScriptedPump final : public MessagePump {
 public:
  int passes = 0;
  std::function<void(int pass)> onPass;

  void processPendingMessages() override {
    ++passes;
    if (onPass) onPass(passes);
  }
};

}  // namespace quillon::capture::testing
