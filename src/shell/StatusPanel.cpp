#include "shell/StatusPanel.h"

#include "shell/OfficeLook.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace quillon::shell {

StatusPanel::StatusPanel(const QString& text, bool buttonLike, QWidget* parent)
    : QLabel(text, parent), m_buttonLike(buttonLike) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
  setContentsMargins(4, 0, 4, 0);
  if (buttonLike) setCursor(Qt::PointingHandCursor);
}

void StatusPanel::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (m_buttonLike) {
      QLinearGradient fill(0, 0, 0, height());
      const bool lit = m_hot || m_down;
      fill.setColorAt(0, lit ? look::kHot.lighter(112) : look::kCaptionTop);
      fill.setColorAt(1, lit ? look::kHot : look::kCaptionBottom);
      painter.fillRect(rect(), fill);
      painter.setPen(lit ? look::kHotBorder : look::kFrame);
    } else {
      painter.fillRect(rect(), look::kPanelTop);
      painter.setPen(look::kFrame.lighter(125));
    }
    painter.drawRect(box);
  }
  QLabel::paintEvent(event);
}

void StatusPanel::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  m_hot = true;
  update();
}

void StatusPanel::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  m_hot = false;
  m_down = false;
  update();
}

void StatusPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) m_down = true;
  update();
  // The status bar hears the click through its event filter.
  event->ignore();
}

void StatusPanel::mouseReleaseEvent(QMouseEvent* event) {
  m_down = false;
  update();
  event->ignore();
}

}  // namespace quillon::shell
