#include "shell/OfficeLook.h"

#include <QApplication>
#include <QLoggingCategory>

#include <gtest/gtest.h>
#include <unistd.h>

// The window tests need a widget application; they run offscreen without a display. A
// plain QApplication (not the program's own) so that an escaped error fails the test
// instead of waiting in a message box.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) {
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  }
  QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext=false\njs=false"));
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  quillon::shell::look::apply(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
