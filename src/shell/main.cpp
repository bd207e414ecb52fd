// Quillon, the desktop program: the main window over the embedded browser.

#include "shell/TfrmVeskel.h"
#include "shell/VeskelApplication.h"
#include "shell/WebBrowserPane.h"
#include "webengine/BrowserEnvironment.h"

#include <memory>

int main(int argc, char* argv[]) {
  quillon::webengine::prepareBrowserEnvironment(quillon::webengine::Display::Screen);
  quillon::shell::VeskelApplication app(argc, argv);
  quillon::shell::TfrmVeskel frmVeskel(std::make_unique<quillon::shell::WebBrowserPane>());
  frmVeskel.showMaximized();
  return QApplication::exec();
}
