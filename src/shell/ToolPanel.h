#pragma once

#include <QString>
#include <QWidget>

namespace quillon::shell {

class PinButton;
class TabStrip;

// A collapsible tool panel: a narrow tab strip at the left with the caption written
// down it, and beside it the panel, a caption bar on top and the controls below. A click
// on the tab collapses the panel to its strip or opens it again. The pin locks the panel
// open; unlocked, it collapses when the mouse leaves it and opens when the mouse comes
// back to its tab. Not resizable, no close button.
class ToolPanel final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kStripWidth = 23;
  static constexpr int kCaptionHeight = 24;

  // panelWidth excludes the strip.
  ToolPanel(const QString& caption, int panelWidth, QWidget* parent = nullptr);

  // The panel's area: owners place their controls in it, with coordinates from the
  // panel's top-left corner (the caption bar takes the first kCaptionHeight pixels).
  QWidget* body() const { return m_body; }

  QString caption() const { return m_caption; }
  bool isCollapsed() const { return m_collapsed; }
  void setCollapsed(bool collapsed);
  bool isLocked() const { return m_locked; }
  void setLocked(bool locked);

 signals:
  void collapsedChanged(bool collapsed);

 protected:
  void leaveEvent(QEvent* event) override;

 private:
  QString m_caption;
  int m_panelWidth;
  bool m_collapsed = false;
  bool m_locked = true;
  TabStrip* m_strip;
  QWidget* m_body;
  PinButton* m_pin;
};

}  // namespace quillon::shell
