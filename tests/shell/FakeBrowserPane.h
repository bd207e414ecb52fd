#pragma once

#include "capture/Browser.h"
#include "capture/FakeDocument.h"
#include "shell/BrowserPane.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillon::shell::testing {

// A browser that records what the window asks of it; history steps can be made to fail
// as a browser without history does.
class RecordingBrowser final : public capture::Browser {
 public:
  std::vector<std::u16string> navigations;
  int backs = 0;
  int forwards = 0;
  bool historyFails = false;
  bool navigationFails = false;
  int readyState = kReadyStateComplete;
  std::shared_ptr<capture::testing::FakeDocument> document =
      std::make_shared<capture::testing::FakeDocument>();

  void Navigate(std::u16string_view url) override {
    navigations.emplace_back(url);
    if (navigationFails) throw std::runtime_error("navigation refused");
  }
  void GoBack() override {
    ++backs;
    if (historyFails) throw std::runtime_error("no earlier page");
  }
  void GoForward() override {
    ++forwards;
    if (historyFails) throw std::runtime_error("no later page");
  }
  int ReadyState() const override { return readyState; }
  std::shared_ptr<const capture::HtmlDocument> Document() override { return document; }
  void addListener(capture::BrowserListener& l) override { m_listeners.push_back(&l); }
  void removeListener(capture::BrowserListener& l) override {
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), &l), m_listeners.end());
  }
  std::size_t listenerCount() const { return m_listeners.size(); }

  void fireDownloadBegin() {
    for (auto* l : m_listeners) l->DownloadBegin();
  }
  void fireDownloadComplete() {
    for (auto* l : m_listeners) l->DownloadComplete();
  }
  void fireDocumentComplete() {
    for (auto* l : m_listeners) l->DocumentComplete(u"about:blank");
  }

 private:
  std::vector<capture::BrowserListener*> m_listeners;
};

// A browser pane whose widget is an empty placeholder.
class FakeBrowserPane final : public BrowserPane {
 public:
  explicit FakeBrowserPane(RecordingBrowser& browser) : m_browser(browser) {
    m_widget->setObjectName(QStringLiteral("WebBrowser1"));
  }
  ~FakeBrowserPane() override {
    if (m_widget != nullptr && m_widget->parent() == nullptr) delete m_widget;
  }
  QWidget* widget() override { return m_widget; }
  capture::Browser& browser() override { return m_browser; }

 private:
  RecordingBrowser& m_browser;
  QPointer<QWidget> m_widget = new QWidget;
};

}  // namespace quillon::shell::testing
