#pragma once

#include "FakeBrowserPane.h"
#include "ScriptedDialogs.h"
#include "shell/TfrmVeskel.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <memory>

namespace quillon::shell::testing {

// A main window over a recording browser, with scripted dialogs.
class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    auto paneOwned = std::make_unique<FakeBrowserPane>(browser);
    pane = paneOwned.get();
    window = std::make_unique<TfrmVeskel>(std::move(paneOwned), &dialogs);
    window->setAttribute(Qt::WA_QuitOnClose, false);
  }

  void showWindow() {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  QPushButton& button(const char* name) const {
    auto* found = window->findChild<QPushButton*>(QString::fromLatin1(name));
    if (found == nullptr) throw std::runtime_error(std::string("no button ") + name);
    return *found;
  }

  void addRow(const std::string& name, const std::string& phone) {
    window->table().AddRow(name, {"activity", "", phone, "street", "08001", "Barcelona",
                                  "Barcelona", "http://www.example.es"});
  }

  // Handles events until the condition holds or many passes have gone by.
  template <class Condition>
  static bool settle(Condition condition) {
    for (int pass = 0; pass < 200 && !condition(); ++pass) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return condition();
  }

  quillon::testing::FakeBrowser browser;
  FakeBrowserPane* pane = nullptr;  // the window's
  ScriptedDialogs dialogs;
  std::unique_ptr<TfrmVeskel> window;
};

}  // namespace quillon::shell::testing
