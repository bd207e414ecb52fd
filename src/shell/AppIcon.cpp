#include "shell/AppIcon.h"

#include "shell/OfficeLook.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace quillon::shell {
namespace {

QPixmap drawIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  const QRectF page(s * 0.06, s * 0.06, s * 0.88, s * 0.88);
  QLinearGradient fill(page.topLeft(), page.bottomLeft());
  fill.setColorAt(0, QColor(0x4F, 0x86, 0xD6));
  fill.setColorAt(1, QColor(0x1E, 0x4F, 0x9C));
  QPainterPath path;
  path.addRoundedRect(page, s * 0.16, s * 0.16);
  painter.fillPath(path, fill);
  painter.setPen(QPen(look::kCaptionText, std::max(1.0, s / 32)));
  painter.drawPath(path);

  // A gold bar: the listing being harvested.
  painter.fillRect(QRectF(s * 0.18, s * 0.66, s * 0.64, s * 0.12), look::kHot);

  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(static_cast<int>(s * 0.5));
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRectF(0, s * 0.06, s, s * 0.6), Qt::AlignCenter, QStringLiteral("Q"));
  return pixmap;
}

}  // namespace

QIcon appIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(drawIcon(size));
  return icon;
}

}  // namespace quillon::shell
