#include "shell/VeskelApplication.h"

#include "base/Installation.h"
#include "shell/AppIcon.h"
#include "shell/OfficeLook.h"

namespace quillon::shell {

VeskelApplication::VeskelApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QString::fromLatin1(kApplicationTitle));
  // The installed desktop entry: desktops take the window's name and icon from it.
  setDesktopFileName(QString::fromLatin1(kDesktopId));
  setWindowIcon(appIcon());
  look::apply(*this);
}

bool VeskelApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    m_errors.reportCurrentException();
    return false;
  }
}

}  // namespace quillon::shell
