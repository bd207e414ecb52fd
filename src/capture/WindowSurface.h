#pragma once

#include "capture/ProgressIndicator.h"
#include "results/CountPanel.h"

namespace quillon::capture {

// What a capture run changes on the main window besides the count panel and the progress
// bar. Busy: the title says that a run is going, every button but Stop is disabled and the
// cursor is an hourglass; idle undoes all three. The window implements it with widgets,
// the command line and the tests with plain state.
class WindowSurface : public results::CountPanel {
 public:
  virtual void setBusy(bool busy) = 0;
  virtual void setStopVisible(bool visible) = 0;
  virtual ProgressIndicator& progress() = 0;
};

}  // namespace quillon::capture
