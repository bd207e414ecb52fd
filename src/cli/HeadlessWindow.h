#pragma once

#include "capture/RunDisplay.h"

#include <string>

namespace quillon::cli {

// The window surface of a capture without a window: it only keeps the count text.
class HeadlessWindow final : public capture::RunDisplay {
 public:
  void setBusy(bool) override {}
  void setStopVisible(bool) override {}
  void setCountText(const std::string& text) override { m_countText = text; }
  capture::ProgressIndicator& progress() override { return m_progress; }

  const std::string& countText() const { return m_countText; }

 private:
  std::string m_countText;
  capture::PlainProgressIndicator m_progress;
};

}  // namespace quillon::cli
