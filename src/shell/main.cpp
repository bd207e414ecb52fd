// Quillon, the desktop program: the main window over the embedded browser.

#include "shell/TfrmVeskel.h"
#include "shell/VeskelApplication.h"
#include "shell/WebBrowserPane.h"

#include <memory>
#include <unistd.h>

int main(int argc, char* argv[]) {
  // Chromium refuses to start its sandbox for the superuser; the browser would stay blank.
  if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }
  // Qt WebEngine shares its OpenGL contexts with the widgets; it must be said first.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  quillon::shell::VeskelApplication app(argc, argv);
  quillon::shell::TfrmVeskel frmVeskel(std::make_unique<quillon::shell::WebBrowserPane>());
  frmVeskel.showMaximized();
  return QApplication::exec();
}
