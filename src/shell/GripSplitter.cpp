#include "shell/GripSplitter.h"

#include "shell/OfficeLook.h"

#include <QPainter>
#include <QSplitterHandle>

namespace quillon::shell {
namespace {

class GripHandle final : public QSplitterHandle {
 public:
  GripHandle(Qt::Orientation orientation, QSplitter* parent)
      : QSplitterHandle(orientation, parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), look::kStripTop);
    painter.setRenderHint(QPainter::Antialiasing);
    constexpr int kDots = 9;
    constexpr qreal kPitch = 4;
    const qreal along = orientation() == Qt::Vertical ? width() : height();
    const qreal across = orientation() == Qt::Vertical ? height() : width();
    const qreal first = (along - (kDots - 1) * kPitch) / 2;
    for (int i = 0; i < kDots; ++i) {
      const qreal a = first + i * kPitch;
      const QPointF centre =
          orientation() == Qt::Vertical ? QPointF(a, across / 2) : QPointF(across / 2, a);
      // A light dot under a dark one gives the grip a slight relief.
      painter.setPen(Qt::NoPen);
      painter.setBrush(Qt::white);
      painter.drawEllipse(centre + QPointF(0.5, 0.5), 1.0, 1.0);
      painter.setBrush(look::kGrip);
      painter.drawEllipse(centre, 1.0, 1.0);
    }
  }
};

}  // namespace

GripSplitter::GripSplitter(QWidget* parent) : QSplitter(Qt::Vertical, parent) {
  setHandleWidth(kBarHeight);
  setChildrenCollapsible(false);
  setOpaqueResize(true);
}

QSplitterHandle* GripSplitter::createHandle() { return new GripHandle(orientation(), this); }

}  // namespace quillon::shell
