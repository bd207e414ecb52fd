#include "shell/QtDialogs.h"

#include "shell/BatchDialog.h"

#include <QFileDialog>
#include <QMessageBox>

namespace quillon::shell {

std::optional<QString> QtDialogs::getSaveFileName(const SaveRequest& request) {
  QFileDialog dialog(m_parent, request.title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(request.filters);
  dialog.setDefaultSuffix(request.defaultSuffix);
  dialog.selectFile(request.proposal);
  // A name typed without an extension gets the one of the filter in force.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, &request](const QString& filter) {
                     const auto index = request.filters.indexOf(filter);
                     if (index >= 0 && index < request.suffixes.size()) {
                       dialog.setDefaultSuffix(request.suffixes.at(index));
                     }
                   });
  dialog.setSizeGripEnabled(true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().constFirst();
}

bool QtDialogs::askYesNo(const QString& title, const QString& text) {
  // The question has no owner window: it stays answerable whatever the window is doing.
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void QtDialogs::showError(const QString& title, const QString& text) {
  QMessageBox::critical(m_parent, title, text, QMessageBox::Ok);
}

std::optional<batch::BatchChoice> QtDialogs::askBatch(const std::vector<std::string>& profiles) {
  BatchDialog dialog(profiles, m_parent);
  if (dialog.exec() != QDialog::Accepted || !dialog.model().ready()) return std::nullopt;
  return dialog.model().choice();
}

}  // namespace quillon::shell
