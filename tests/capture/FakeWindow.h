#pragma once

#include "capture/RunDisplay.h"

#include <string>

namespace quillon::testing {

using capture::PlainProgressIndicator;
using capture::ProgressIndicator;
using capture::RunDisplay;

// A window surface that keeps what the capture run shows.
class FakeWindow final : public RunDisplay {
 public:
  bool busy = false;
  bool stopVisible = false;
  bool continueVisible = false;
  std::string countText;
  PlainProgressIndicator bar;

  void setBusy(bool on) override { busy = on; }
  void setStopVisible(bool visible) override { stopVisible = visible; }
  void setContinueVisible(bool visible) override { continueVisible = visible; }
  void setCountText(const std::string& text) override { countText = text; }
  ProgressIndicator& progress() override { return bar; }
};

}  // namespace quillon::testing
