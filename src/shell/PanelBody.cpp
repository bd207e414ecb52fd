#include "shell/PanelBody.h"

#include "shell/OfficeLook.h"
#include "shell/ToolPanel.h"

#include <QLinearGradient>
#include <QPainter>

namespace quillon::shell {

PanelBody::PanelBody(const QString& caption, QWidget* parent)
    : QWidget(parent), m_caption(caption) {
  setToolTip(caption);
}

void PanelBody::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int bar = ToolPanel::kCaptionHeight;

  QLinearGradient body(0, bar, 0, height());
  body.setColorAt(0, look::kPanelTop);
  body.setColorAt(1, look::kPanelBottom);
  painter.fillRect(QRect(0, bar, width(), height() - bar), body);

  QLinearGradient caption(0, 0, 0, bar);
  caption.setColorAt(0, look::kCaptionTop);
  caption.setColorAt(1, look::kCaptionBottom);
  painter.fillRect(QRect(0, 0, width(), bar), caption);

  painter.setPen(look::kFrame);
  painter.drawRect(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
  painter.drawLine(QPointF(0, bar - 0.5), QPointF(width(), bar - 0.5));

  painter.setPen(look::kCaptionText);
  // The pin takes the right end of the bar; a long caption is shortened there (the
  // tab strip and the tooltip show it whole).
  const QRect textBox(6, 0, width() - 28, bar);
  painter.drawText(textBox, Qt::AlignVCenter | Qt::AlignLeft,
                   fontMetrics().elidedText(m_caption, Qt::ElideRight, textBox.width()));
}

}  // namespace quillon::shell
