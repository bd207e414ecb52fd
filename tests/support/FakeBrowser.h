#pragma once

#include "base/MessagePump.h"
#include "capture/Browser.h"
#include "support/FakeDocument.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// A browser that records what it is asked to do. Navigate calls the onNavigate hook,
// where a test can change the document or fire load events, as a real page load would.
// Navigations and history steps can be made to fail, as a browser without history does.

namespace quillon::testing {

using capture::Browser;
using capture::BrowserListener;

class FakeBrowser final : public Browser {
 public:
  std::shared_ptr<FakeDocument> document = std::make_shared<FakeDocument>();
  // Shown instead of `document` when set (a decoded snapshot, for instance).
  std::shared_ptr<const capture::HtmlDocument> shownDocument;
  int readyState = kReadyStateComplete;
  int httpStatus = 200;
  std::u16string location;
  std::string pageDataJson = R"({"url":"","jsonLd":[],"microdata":[],"links":[]})";
  // A site profile's reads: the answer to each request (the JSON text of the collect
  // script), the page tree, and the clicks asked for, which onClick may answer by changing
  // the page as its scripts would.
  std::function<std::string(std::string_view request)> onProfileData;
  std::string pageTreeJson = R"({"url":"","elements":[]})";
  struct Click {
    std::string selector;
    std::string within;
    bool all;
  };
  std::vector<Click> clicks;
  std::function<int(const Click&)> onClick;
  std::vector<std::u16string> navigations;
  int backs = 0;
  int forwards = 0;
  bool navigationFails = false;
  bool historyFails = false;
  std::function<void(std::u16string_view)> onNavigate;

  void Navigate(std::u16string_view url) override {
    navigations.emplace_back(url);
    if (navigationFails) throw std::runtime_error("navigation refused");
    location = url;
    if (onNavigate) onNavigate(url);
  }
  std::function<void()> onGoBack;

  void GoBack() override {
    ++backs;
    if (historyFails) throw std::runtime_error("no earlier page");
    if (onGoBack) onGoBack();
  }
  void GoForward() override {
    ++forwards;
    if (historyFails) throw std::runtime_error("no later page");
  }
  int ReadyState() const override { return readyState; }
  std::u16string LocationURL() const override { return location; }
  int HttpStatus() const override { return httpStatus; }
  std::string PageData() override { return pageDataJson; }
  std::string ProfileData(std::string_view request) override {
    if (!onProfileData) throw std::runtime_error("no profile data");
    return onProfileData(request);
  }
  std::string PageTree() override { return pageTreeJson; }
  int ClickElements(std::string_view selector, std::string_view within, bool all) override {
    clicks.push_back({std::string(selector), std::string(within), all});
    return onClick ? onClick(clicks.back()) : 0;
  }
  std::shared_ptr<const capture::HtmlDocument> Document() override {
    if (shownDocument) return shownDocument;
    return document;
  }

  void AddListener(BrowserListener& listener) override { m_listeners.push_back(&listener); }
  void RemoveListener(BrowserListener& listener) override {
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), &listener),
                      m_listeners.end());
  }

  void fireDownloadBegin() {
    for (auto* l : m_listeners) l->DownloadBegin();
  }
  void fireDownloadComplete() {
    for (auto* l : m_listeners) l->DownloadComplete();
  }
  std::size_t listenerCount() const { return m_listeners.size(); }

  void fireDocumentComplete(std::u16string_view url = u"about:blank") {
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

}  // namespace quillon::testing
