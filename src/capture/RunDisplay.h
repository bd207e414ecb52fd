#pragma once

#include "capture/ProgressIndicator.h"
#include "results/CountPanel.h"

namespace quillon::capture {

// What a capture run shows besides the count panel and the progress bar: whether a run is
// going (busy) and whether it can be stopped. The window turns busy into its disabled
// buttons, title and hourglass; the command line and the tests keep plain state.
class RunDisplay : public results::CountPanel {
 public:
  virtual void setBusy(bool busy) = 0;
  virtual void setStopVisible(bool visible) = 0;
  // Shows the way on while a run waits for the user to pass a check for a person in the page
  // (the window's Continue button), and hides it again.
  virtual void setContinueVisible(bool /*visible*/) {}
  virtual ProgressIndicator& progress() = 0;
};

}  // namespace quillon::capture
