#include "webengine/BrowserEnvironment.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

// The browser needs an application object; it runs offscreen without a display.
int main(int argc, char** argv) {
  quillon::webengine::prepareBrowserEnvironment(quillon::webengine::Display::Offscreen);
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
