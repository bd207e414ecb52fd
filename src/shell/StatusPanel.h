#pragma once

#include <QLabel>

namespace quillon::shell {

// A text panel of the status bar, sunken; a button-like one is raised and lights up
// under the mouse.
class StatusPanel final : public QLabel {
 public:
  StatusPanel(const QString& text, bool buttonLike, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool m_buttonLike;
  bool m_hot = false;
  bool m_down = false;
};

}  // namespace quillon::shell
