#pragma once

#include "shell/ErrorReport.h"
#include "shell/QtDialogs.h"

#include <QApplication>

namespace quillon::shell {

// The application object of the desktop program: application title "Veskel", the
// window look, and a last guard around every event, so that an error that escapes a
// handler is reported like any other and never crosses Qt's event loop.
class VeskelApplication final : public QApplication {
 public:
  VeskelApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  QtDialogs m_dialogs;
  ErrorReport m_errors{m_dialogs};
};

}  // namespace quillon::shell
