#pragma once

#include <QSplitter>

namespace quillon::shell {

// The splitter between the browser and the lower pane: a 5-pixel bar with a row of grip
// dots in its middle. Dragging it moves the border; neither side collapses.
class GripSplitter final : public QSplitter {
 public:
  static constexpr int kBarHeight = 5;

  explicit GripSplitter(QWidget* parent = nullptr);

 protected:
  QSplitterHandle* createHandle() override;
};

}  // namespace quillon::shell
