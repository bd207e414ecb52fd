#pragma once

#include <QAbstractButton>

namespace quillon::shell {

// The pin of a tool panel's caption bar: checked, the panel is locked open.
class PinButton final : public QAbstractButton {
 public:
  explicit PinButton(QWidget* parent);
  QSize sizeHint() const override { return {16, 16}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  bool m_hot = false;
};

}  // namespace quillon::shell
