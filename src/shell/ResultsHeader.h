#pragma once

#include <QHeaderView>

namespace quillon::shell {

// The results list's header: clickable captions that cannot be dragged to another
// place, with the sort arrow drawn at the left of the sorted column's caption.
class ResultsHeader final : public QHeaderView {
 public:
  explicit ResultsHeader(QWidget* parent = nullptr);

  // The column that shows the arrow (-1: none) and its direction.
  void setSortArrow(int column, bool ascending);
  int sortArrowColumn() const { return m_sortColumn; }
  bool sortArrowAscending() const { return m_ascending; }

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
  QSize sectionSizeFromContents(int logicalIndex) const override;

 private:
  int m_sortColumn = -1;
  bool m_ascending = true;
};

}  // namespace quillon::shell
