#pragma once

#include <QStatusBar>

#include <array>

namespace quillon::shell {

class ProgressPanel;
class StatusPanel;

// The window's status bar `sb`, 19 pixels high, with five panels: 0 the browser status
// panel (a progress bar), 1 the home page panel, 2 the batch panel ("search 3 of 40" while a
// list of searches runs, else empty), 3 the count panel and 4 the hint panel. The panels keep their
// widths side by side from the left edge; a narrow window cuts off the last ones instead of growing
// to fit them.
class StatusBar final : public QStatusBar {
  Q_OBJECT

 public:
  static constexpr int kPanelCount = 5;
  static constexpr int kHomePagePanel = 1;
  static constexpr int kBatchPanel = 2;
  static constexpr int kCountPanel = 3;
  static constexpr int kHintPanel = 4;
  // The hint panel's text when it has nothing else to say.
  static QString listHint();

  explicit StatusBar(QWidget* parent = nullptr);

  ProgressPanel& progressPanel() const { return *m_progress; }
  // The text of a panel (the progress panel's caption for panel 0).
  QString panelText(int index) const;
  void setPanelText(int index, const QString& text);
  // The widget of a panel, for tests and tooltips.
  QWidget* panel(int index) const;

 signals:
  // A click (left button released) on a panel.
  void panelClicked(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* m_strip;
  ProgressPanel* m_progress;
  std::array<StatusPanel*, kPanelCount> m_texts{};  // [0] stays null
};

}  // namespace quillon::shell
