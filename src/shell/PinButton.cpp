#include "shell/PinButton.h"

#include "shell/OfficeLook.h"

#include <QPainter>
#include <QPainterPath>

namespace quillon::shell {

PinButton::PinButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::PointingHandCursor);
}

void PinButton::enterEvent(QEnterEvent* event) {
  QAbstractButton::enterEvent(event);
  m_hot = true;
  update();
}

void PinButton::leaveEvent(QEvent* event) {
  QAbstractButton::leaveEvent(event);
  m_hot = false;
  update();
}

void PinButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  if (m_hot || isDown()) {
    painter.setPen(look::kHotBorder);
    painter.setBrush(look::kHot);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
  }
  // A push pin: pushed in (upright) when locked, lying on its side when not.
  painter.translate(width() / 2.0, height() / 2.0);
  if (!isChecked()) painter.rotate(90);
  painter.setPen(QPen(look::kCaptionText, 1.2));
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(-2.5, -6, 5, 6));
  painter.drawLine(QPointF(-4.5, 0), QPointF(4.5, 0));
  painter.drawLine(QPointF(0, 0), QPointF(0, 6));
}

}  // namespace quillon::shell
