// Quillon, the desktop program: the main window over the embedded browser.

#include "base/Version.h"
#include "journal/JournalFolder.h"
#include "shell/TfrmVeskel.h"
#include "shell/VeskelApplication.h"
#include "shell/WebBrowserPane.h"
#include "webengine/BrowserEnvironment.h"

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char* argv[]) {
  // Answered before anything of the window or the browser starts.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("quillon %s\n", quillon::kVersion);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::printf(
          "Usage: quillon [--version] [--help]\n\n"
          "Quillon, the desktop program: search a business directory in the built-in\n"
          "browser, press its Capture button, and save the listings as a spreadsheet.\n"
          "Without a display, use quillon-cli.\n");
      return 0;
    }
  }
  quillon::webengine::prepareBrowserEnvironment(quillon::webengine::Display::Screen);
  quillon::shell::VeskelApplication app(argc, argv);
  quillon::shell::TfrmVeskel frmVeskel(std::make_unique<quillon::shell::WebBrowserPane>());
  frmVeskel.showMaximized();
  frmVeskel.useJournal(quillon::journal::JournalFolder::defaultPath());
  return QApplication::exec();
}
