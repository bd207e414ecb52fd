#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace quillon::shell {

// The tab strip of a tool panel: one tab with the caption written downwards.
class TabStrip final : public QWidget {
 public:
  TabStrip(const QString& caption, QWidget* parent);

  std::function<void()> onClicked;
  std::function<void()> onHovered;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QRectF tabRect() const;

  QString m_caption;
  bool m_hot = false;
};

}  // namespace quillon::shell
