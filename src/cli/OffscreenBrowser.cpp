#include "cli/OffscreenBrowser.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <cerrno>
#include <fstream>
#include <string>

namespace quillon::cli {

std::unique_ptr<QGuiApplication> makeOffscreenApplication() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) {
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-logging --log-level=3");
  }
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    // Without a login session there is none; Qt falls back to the same place, but warns.
    const std::string runtime = "/tmp/runtime-" + std::to_string(geteuid());
    if (::mkdir(runtime.c_str(), 0700) == 0 || errno == EEXIST) {
      qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime));
    }
  }
  // The engine reports its graphics set-up at start and pages their console messages;
  // both are noise next to the output.
  QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext=false\njs=false"));
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  static int argc = 1;
  static char name[] = "quillon-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

std::optional<QUrl> resolveAddress(const std::string& address, std::ostream& err) {
  const QString text = QString::fromStdString(address);
  const QUrl url(text, QUrl::StrictMode);
  if (url.isValid() && url.scheme().size() > 1) return url;
  if (!std::ifstream(address, std::ios::binary)) {
    err << "quillon-cli: cannot read " << address << "\n";
    return std::nullopt;
  }
  return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

}  // namespace quillon::cli
