#include "shell/OfficeLook.h"
#include "webengine/BrowserEnvironment.h"

#include <QApplication>

#include <gtest/gtest.h>

// The window tests need a widget application; they run offscreen without a display. A
// plain QApplication (not the program's own) so that an escaped error fails the test
// instead of waiting in a message box.
int main(int argc, char** argv) {
  quillon::webengine::prepareBrowserEnvironment(quillon::webengine::Display::Offscreen);
  QApplication app(argc, argv);
  quillon::shell::look::apply(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
