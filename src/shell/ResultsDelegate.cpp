#include "shell/ResultsDelegate.h"

#include "shell/LinkText.h"
#include "shell/OfficeLook.h"
#include "shell/ResultsModel.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace quillon::shell {

QWidget* ResultsDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex&) const {
  auto* editor = new QLineEdit(parent);
  editor->setMaxLength(ResultsModel::kMaxEditLength);
  editor->setFrame(false);
  return editor;
}

void ResultsDelegate::initStyleOption(QStyleOptionViewItem* option,
                                      const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (!isLinkText(option->text)) return;
  option->text = linkDisplayText(option->text);
  option->font.setUnderline(true);
  option->palette.setColor(QPalette::Text, look::kLink);
  option->palette.setColor(QPalette::HighlightedText, look::kLink);
}

bool ResultsDelegate::eventFilter(QObject* editor, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    // Esc keeps the text too: it closes the editor like Enter.
    auto* widget = qobject_cast<QWidget*>(editor);
    if (widget != nullptr) {
      emit commitData(widget);
      emit closeEditor(widget, QAbstractItemDelegate::NoHint);
      return true;
    }
  }
  return QStyledItemDelegate::eventFilter(editor, event);
}

}  // namespace quillon::shell
