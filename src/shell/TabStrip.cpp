#include "shell/TabStrip.h"

#include "shell/OfficeLook.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace quillon::shell {

TabStrip::TabStrip(const QString& caption, QWidget* parent) : QWidget(parent), m_caption(caption) {
  setToolTip(caption);
  setCursor(Qt::PointingHandCursor);
}

QRectF TabStrip::tabRect() const {
  const int textLength = fontMetrics().horizontalAdvance(m_caption);
  const qreal length = std::min<qreal>(textLength + 20, height() - 6);
  return {2.5, 3.5, width() - 5.0, length};
}

void TabStrip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QLinearGradient strip(0, 0, width(), 0);
  strip.setColorAt(0, look::kStripTop);
  strip.setColorAt(1, look::kStripBottom);
  painter.fillRect(rect(), strip);
  painter.setPen(look::kFrame);
  painter.drawLine(QPointF(width() - 0.5, 0), QPointF(width() - 0.5, height()));

  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF tab = tabRect();
  QLinearGradient fill(tab.topLeft(), tab.topRight());
  fill.setColorAt(0, m_hot ? look::kHot.lighter(110) : look::kCaptionTop);
  fill.setColorAt(1, m_hot ? look::kHot : look::kCaptionBottom);
  QPainterPath path;
  path.addRoundedRect(tab, 3, 3);
  painter.fillPath(path, fill);
  painter.setPen(m_hot ? look::kHotBorder : look::kFrame);
  painter.drawPath(path);

  // The caption reads downwards, as on a folder tab turned on its side.
  painter.save();
  painter.translate(tab.center());
  painter.rotate(90);
  const QRectF textBox(-tab.height() / 2, -tab.width() / 2, tab.height(), tab.width());
  painter.setPen(look::kCaptionText);
  painter.drawText(
      textBox, Qt::AlignCenter,
      fontMetrics().elidedText(m_caption, Qt::ElideRight, static_cast<int>(tab.height()) - 8));
  painter.restore();
}

void TabStrip::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  m_hot = true;
  update();
  if (onHovered) onHovered();
}

void TabStrip::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  m_hot = false;
  update();
}

void TabStrip::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && tabRect().contains(event->position()) && onClicked) {
    onClicked();
  }
}

}  // namespace quillon::shell
