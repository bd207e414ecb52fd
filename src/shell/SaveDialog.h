#pragma once

#include <QString>

#include <optional>

namespace quillon::shell {

class Dialogs;

// The save dialog `sd`: asks for the file to save the results to. The name box starts
// with "Filename" the first time and with the last chosen name after that.
class SaveDialog {
 public:
  explicit SaveDialog(Dialogs& dialogs) : m_dialogs(dialogs) {}

  // The chosen file name (with "xls" added when the user typed no extension), or
  // nothing when the user cancelled.
  std::optional<QString> Execute();

  QString fileName() const { return m_fileName; }

 private:
  Dialogs& m_dialogs;
  QString m_fileName = QStringLiteral("Filename");
};

}  // namespace quillon::shell
