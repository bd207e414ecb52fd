#include "cli/OffscreenBrowser.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

// One application for the whole run: the browser commands reuse it, since Qt WebEngine
// cannot start again once its application is gone.
int main(int argc, char** argv) {
  const auto app = quillon::cli::makeOffscreenApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
