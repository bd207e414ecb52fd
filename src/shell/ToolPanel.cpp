#include "shell/ToolPanel.h"

#include "shell/PanelBody.h"
#include "shell/PinButton.h"
#include "shell/TabStrip.h"

#include <QHBoxLayout>

namespace quillon::shell {
namespace {

const char* pinHint(bool locked) { return locked ? "Unlock panel" : "Lock panel"; }

}  // namespace

ToolPanel::ToolPanel(const QString& caption, int panelWidth, QWidget* parent)
    : QWidget(parent),
      m_caption(caption),
      m_panelWidth(panelWidth),
      m_strip(new TabStrip(caption, this)),
      m_body(new PanelBody(caption, this)),
      m_pin(new PinButton(m_body)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_strip);
  layout->addWidget(m_body);
  m_strip->setFixedWidth(kStripWidth);
  m_body->setFixedWidth(panelWidth);
  setFixedWidth(kStripWidth + panelWidth);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);

  m_pin->setObjectName(QStringLiteral("pin"));
  m_pin->setCheckable(true);
  m_pin->setChecked(true);
  m_pin->setToolTip(QString::fromLatin1(pinHint(true)));
  m_pin->setGeometry(panelWidth - 20, (kCaptionHeight - 16) / 2, 16, 16);
  connect(m_pin, &QAbstractButton::toggled, this, &ToolPanel::setLocked);

  m_strip->onClicked = [this] { setCollapsed(!m_collapsed); };
  m_strip->onHovered = [this] {
    if (!m_locked) setCollapsed(false);
  };
}

void ToolPanel::setCollapsed(bool collapsed) {
  if (collapsed == m_collapsed) return;
  m_collapsed = collapsed;
  m_body->setVisible(!collapsed);
  setFixedWidth(collapsed ? kStripWidth : kStripWidth + m_panelWidth);
  emit collapsedChanged(collapsed);
}

void ToolPanel::setLocked(bool locked) {
  m_locked = locked;
  m_pin->setChecked(locked);
  m_pin->setToolTip(QString::fromLatin1(pinHint(locked)));
}

void ToolPanel::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (!m_locked) setCollapsed(true);
}

}  // namespace quillon::shell
