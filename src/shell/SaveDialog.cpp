#include "shell/SaveDialog.h"

#include "shell/Dialogs.h"

#include <QFileInfo>

namespace quillon::shell {

std::optional<QString> SaveDialog::Execute() {
  SaveRequest request;
  request.title = QStringLiteral("Save current recordset to Excel...");
  request.filters = {QStringLiteral("*xls"), QStringLiteral("Excel workbook (*.xlsx)"),
                     QStringLiteral("CSV, comma-separated (*.csv)"),
                     QStringLiteral("JSON (*.json)")};
  request.suffixes = {QStringLiteral("xls"), QStringLiteral("xlsx"), QStringLiteral("csv"),
                      QStringLiteral("json")};
  request.defaultSuffix = QStringLiteral("xls");
  request.proposal = m_fileName;
  std::optional<QString> chosen = m_dialogs.getSaveFileName(request);
  if (!chosen || chosen->isEmpty()) return std::nullopt;
  // Whatever dialog answered, a name without an extension gets the default one.
  if (QFileInfo(*chosen).suffix().isEmpty()) {
    if (!chosen->endsWith(u'.')) chosen->append(u'.');
    chosen->append(request.defaultSuffix);
  }
  m_fileName = *chosen;
  return chosen;
}

}  // namespace quillon::shell
