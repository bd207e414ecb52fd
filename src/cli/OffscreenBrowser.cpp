#include "cli/OffscreenBrowser.h"

#include "webengine/BrowserEnvironment.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <fstream>

namespace quillon::cli {

std::unique_ptr<QGuiApplication> makeOffscreenApplication() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  webengine::prepareBrowserEnvironment(webengine::Display::Offscreen);
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
