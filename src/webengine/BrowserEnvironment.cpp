#include "webengine/BrowserEnvironment.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLoggingCategory>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace quillon::webengine {

void prepareBrowserEnvironment(Display display) {
  if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }
  // Qt WebEngine shares its OpenGL contexts with the widgets; it must be said first.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  if (display == Display::Screen) return;

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) {
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-logging --log-level=3");
  }
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    // Qt falls back to the same place, but warns.
    const std::string runtime = "/tmp/runtime-" + std::to_string(geteuid());
    if (::mkdir(runtime.c_str(), 0700) == 0 || errno == EEXIST) {
      qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime));
    }
  }
  QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext=false\njs=false"));
}

namespace {

void dropMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", qPrintable(message));
    std::abort();
  }
}

}  // namespace

void quietEngineLog() {
  if (!qEnvironmentVariableIsEmpty("QUILLON_ENGINE_LOG")) {
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) {
      qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --enable-logging=stderr --v=0");
    }
    return;
  }
  qInstallMessageHandler(dropMessage);
}

}  // namespace quillon::webengine
