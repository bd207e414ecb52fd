#pragma once

#include "capture/ProgressIndicator.h"

#include <QProgressBar>

namespace quillon::shell {

// The browser status panel: a progress bar that shows its caption, never a percentage.
// The capture run, the page walkers and the phone reveal drive it.
class ProgressPanel final : public QProgressBar, public capture::ProgressIndicator {
 public:
  ProgressPanel(const QString& caption, QWidget* parent = nullptr);

  void setMax(int max) override;
  int max() const override { return m_max; }
  void setPosition(int position) override;
  int position() const override { return m_position; }

 private:
  int m_max = 100;
  int m_position = 0;
};

}  // namespace quillon::shell
