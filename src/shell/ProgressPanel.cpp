#include "shell/ProgressPanel.h"

#include <algorithm>

namespace quillon::shell {

ProgressPanel::ProgressPanel(const QString& caption, QWidget* parent) : QProgressBar(parent) {
  setRange(0, m_max);
  setValue(0);
  setFormat(caption);
  setTextVisible(true);
  setAlignment(Qt::AlignCenter);
}

void ProgressPanel::setMax(int max) {
  m_max = max;
  // A bar whose range is empty would run Qt's busy animation instead.
  setRange(0, std::max(1, max));
  setValue(std::clamp(m_position, 0, std::max(1, max)));
}

void ProgressPanel::setPosition(int position) {
  m_position = position;
  setValue(std::clamp(position, 0, std::max(1, m_max)));
}

}  // namespace quillon::shell
