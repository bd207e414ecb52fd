#pragma once

#include <QString>
#include <QWidget>

namespace quillon::shell {

// The panel of a tool panel: a caption bar on top of a softly shaded body.
class PanelBody final : public QWidget {
 public:
  PanelBody(const QString& caption, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString m_caption;
};

}  // namespace quillon::shell
