#include "shell/ResultsHeader.h"

#include "shell/OfficeLook.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace quillon::shell {
namespace {

constexpr int kArrowBox = 11;
// Rows and header are one text line high: 13 pixels at 8 points on a 96-dpi screen.
constexpr int kLineHeight = 13;

}  // namespace

ResultsHeader::ResultsHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setSectionsClickable(true);
  setSectionsMovable(false);
  setHighlightSections(false);
  setSortIndicatorShown(false);
  setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setStretchLastSection(false);
}

void ResultsHeader::setSortArrow(int column, bool ascending) {
  m_sortColumn = column;
  m_ascending = ascending;
  viewport()->update();
}

QSize ResultsHeader::sectionSizeFromContents(int logicalIndex) const {
  QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
  size.setHeight(std::max(kLineHeight, fontMetrics().height()));
  return size;
}

void ResultsHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  if (!rect.isValid()) return;
  painter->save();
  QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
  fill.setColorAt(0, look::kPanelTop);
  fill.setColorAt(1, look::kCaptionBottom.lighter(112));
  painter->fillRect(rect, fill);
  painter->setPen(look::kFrame.lighter(115));
  painter->drawLine(QPointF(rect.right() + 0.5, rect.top() + 2),
                    QPointF(rect.right() + 0.5, rect.bottom() - 2));
  painter->setPen(look::kFrame);
  painter->drawLine(QPointF(rect.left(), rect.bottom() + 0.5),
                    QPointF(rect.right() + 1, rect.bottom() + 0.5));

  QRect textBox = rect.adjusted(4, 0, -3, 0);
  if (logicalIndex == m_sortColumn) {
    // The arrow stands left of the caption.
    const QRectF box(textBox.left(), rect.center().y() - kArrowBox / 2.0 + 0.5, kArrowBox,
                     kArrowBox);
    const QPointF c = box.center();
    QPainterPath arrow;
    if (m_ascending) {
      arrow.moveTo(c.x() - 3.5, c.y() + 2);
      arrow.lineTo(c.x() + 3.5, c.y() + 2);
      arrow.lineTo(c.x(), c.y() - 2);
    } else {
      arrow.moveTo(c.x() - 3.5, c.y() - 2);
      arrow.lineTo(c.x() + 3.5, c.y() - 2);
      arrow.lineTo(c.x(), c.y() + 2);
    }
    arrow.closeSubpath();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillPath(arrow, look::kCaptionText);
    textBox.setLeft(textBox.left() + kArrowBox + 2);
  }
  const QString caption =
      model() != nullptr ? model()->headerData(logicalIndex, orientation()).toString() : QString();
  painter->setPen(palette().color(QPalette::WindowText));
  painter->drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter,
                    fontMetrics().elidedText(caption, Qt::ElideRight, textBox.width()));
  painter->restore();
}

}  // namespace quillon::shell
