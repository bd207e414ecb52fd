#pragma once

#include "shell/BrowserPane.h"
#include "support/FakeBrowser.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillon::shell::testing {

// A browser pane whose widget is an empty placeholder.
class FakeBrowserPane final : public BrowserPane {
 public:
  explicit FakeBrowserPane(quillon::testing::FakeBrowser& browser) : m_browser(browser) {
    m_widget->setObjectName(QStringLiteral("WebBrowser1"));
  }
  ~FakeBrowserPane() override {
    if (m_widget != nullptr && m_widget->parent() == nullptr) delete m_widget;
  }
  QWidget* widget() override { return m_widget; }
  capture::Browser& browser() override { return m_browser; }
  void setBlockHeavyResources(bool block) override { blockCalls.push_back(block); }
  std::string loadFailure() const override {
    return std::find(unreachable.begin(), unreachable.end(), m_browser.location) !=
                   unreachable.end()
               ? "HTTP status 404"
               : "";
  }

  std::vector<bool> blockCalls;
  // Addresses whose load fails, as an error page would.
  std::vector<std::u16string> unreachable;

 private:
  quillon::testing::FakeBrowser& m_browser;
  QPointer<QWidget> m_widget = new QWidget;
};

}  // namespace quillon::shell::testing
