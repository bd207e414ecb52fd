#pragma once

#include <QStyledItemDelegate>

namespace quillon::shell {

// Draws the results list's cells (link cells underlined in blue, without their scheme)
// and edits them in place with a line of at most 1,024 characters. However the editor
// closes (Enter, Esc or a click elsewhere) its text is stored.
class ResultsDelegate final : public QStyledItemDelegate {
 public:
  explicit ResultsDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
  bool eventFilter(QObject* editor, QEvent* event) override;
};

}  // namespace quillon::shell
