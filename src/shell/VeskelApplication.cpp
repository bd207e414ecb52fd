#include "shell/VeskelApplication.h"

#include "shell/AppIcon.h"
#include "shell/OfficeLook.h"

namespace quillon::shell {

VeskelApplication::VeskelApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QString::fromLatin1(kApplicationTitle));
  setDesktopFileName(QStringLiteral("quillon"));
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
