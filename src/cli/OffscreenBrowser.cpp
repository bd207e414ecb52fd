#include "cli/OffscreenBrowser.h"

#include "webengine/BrowserEnvironment.h"
#include "webengine/WebEngineBrowser.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <fstream>

namespace quillon::cli {

std::unique_ptr<QGuiApplication> makeOffscreenApplication() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  webengine::prepareBrowserEnvironment(webengine::Display::Offscreen);
  webengine::quietEngineLog();
  static int argc = 1;
  static char name[] = "quillon-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

std::optional<std::string> loadPage(webengine::WebEngineBrowser& browser, const QUrl& url,
                                    std::chrono::seconds timeout) {
  browser.Navigate(url.toString().toStdU16String());
  if (!browser.waitUntilComplete(timeout)) {
    return "the page did not finish loading within " + std::to_string(timeout.count()) + " seconds";
  }
  const std::string& reason = browser.lastLoadError();
  const bool httpError = reason.rfind("HTTP status ", 0) == 0;
  if (browser.lastLoadSucceeded() && !httpError) return std::nullopt;
  std::string message = "could not load " + url.toString().toStdString();
  if (!reason.empty()) message += ": " + reason;
  return message;
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
