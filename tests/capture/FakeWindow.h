#pragma once

#include "capture/WindowSurface.h"

#include <array>
#include <string>

namespace quillon::capture::testing {

// A window surface that keeps what the capture run shows.
class FakeWindow final : public WindowSurface {
 public:
  std::u16string title{kTitle};
  std::array<bool, kWindowButtonCount> enabled{true, true, true, true, true, true,
                                               true, true, true, true, true};
  bool stopVisible = false;
  bool busyCursor = false;
  std::string countText;
  PlainProgressIndicator bar;
  int titleWrites = 0;

  void setTitle(std::u16string_view text) override {
    title = text;
    ++titleWrites;
  }
  void setButtonEnabled(WindowButton button, bool on) override {
    enabled[static_cast<std::size_t>(button)] = on;
  }
  void setStopVisible(bool visible) override { stopVisible = visible; }
  void setBusyCursor(bool busy) override { busyCursor = busy; }
  void setCountText(const std::string& text) override { countText = text; }
  ProgressIndicator& progress() override { return bar; }

  bool allEnabled() const {
    for (bool on : enabled) {
      if (!on) return false;
    }
    return true;
  }
  bool noneEnabled() const {
    for (bool on : enabled) {
      if (on) return false;
    }
    return true;
  }
};

}  // namespace quillon::capture::testing
