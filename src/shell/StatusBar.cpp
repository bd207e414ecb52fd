#include "shell/StatusBar.h"

#include "shell/ProgressPanel.h"
#include "shell/StatusPanel.h"

#include <QMouseEvent>

namespace quillon::shell {
namespace {

constexpr std::array<int, StatusBar::kPanelCount> kWidths = {250, 100, 200, 194, 516};
constexpr int kHeight = 19;
constexpr int kGap = 2;

// Lays the panels out at their fixed widths, whatever room there is.
class PanelStrip final : public QWidget {
 public:
  using QWidget::QWidget;
  QSize minimumSizeHint() const override { return {0, kHeight - 2}; }
  QSize sizeHint() const override { return minimumSizeHint(); }

 protected:
  void resizeEvent(QResizeEvent*) override {
    int x = 0;
    for (QObject* child : children()) {
      auto* panel = qobject_cast<QWidget*>(child);
      if (panel == nullptr) continue;
      panel->setGeometry(x, 0, panel->width(), height());
      x += panel->width() + kGap;
    }
  }
};

}  // namespace

StatusBar::StatusBar(QWidget* parent)
    : QStatusBar(parent),
      m_strip(new PanelStrip(this)),
      m_progress(new ProgressPanel(QStringLiteral("Browser Status"), m_strip)) {
  setObjectName(QStringLiteral("sb"));
  setFixedHeight(kHeight);
  setSizeGripEnabled(false);
  setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));

  m_texts[1] = new StatusPanel(QStringLiteral("     Home Page"), true, m_strip);
  m_texts[2] = new StatusPanel(QString(), false, m_strip);
  m_texts[3] = new StatusPanel(QString(), false, m_strip);
  m_texts[4] = new StatusPanel(listHint(), false, m_strip);
  for (int index = 0; index < kPanelCount; ++index) {
    QWidget* widget = panel(index);
    widget->setObjectName(QStringLiteral("sbPanel%1").arg(index));
    widget->resize(kWidths[static_cast<std::size_t>(index)], kHeight - 2);
    widget->installEventFilter(this);
  }
  addWidget(m_strip, 1);
}

QWidget* StatusBar::panel(int index) const {
  if (index == 0) return m_progress;
  if (index < 0 || index >= kPanelCount) return nullptr;
  return m_texts[static_cast<std::size_t>(index)];
}

QString StatusBar::panelText(int index) const {
  if (index == 0) return m_progress->format();
  if (index < 0 || index >= kPanelCount) return {};
  return m_texts[static_cast<std::size_t>(index)]->text();
}

QString StatusBar::listHint() {
  return QStringLiteral("CTRL+A to select All, and DEL or CTRL+DEL to delete selected lines");
}

void StatusBar::setPanelText(int index, const QString& text) {
  if (index == 0) {
    m_progress->setFormat(text);
  } else if (index > 0 && index < kPanelCount) {
    m_texts[static_cast<std::size_t>(index)]->setText(text);
  }
}

bool StatusBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    for (int index = 0; index < kPanelCount; ++index) {
      if (watched == panel(index)) emit panelClicked(index);
    }
  }
  return QStatusBar::eventFilter(watched, event);
}

}  // namespace quillon::shell
