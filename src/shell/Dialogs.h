#pragma once

#include "batch/BatchDialogModel.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace quillon::shell {

// What the save dialog is asked to show.
struct SaveRequest {
  QString title;
  // Name filters, the default first; each filter's suffix (without the dot).
  QStringList filters;
  QStringList suffixes;
  // Appended when the user types a name without an extension.
  QString defaultSuffix;
  // The file name the name box starts with.
  QString proposal;
};

// The modal dialogs of the window, behind an interface so tests answer them without a
// dialog ever blocking.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A file name to save to (the overwrite question included), or nothing on cancel.
  virtual std::optional<QString> getSaveFileName(const SaveRequest& request) = 0;
  // A Yes/No question with the warning icon; true for Yes.
  virtual bool askYesNo(const QString& title, const QString& text) = 0;
  // An error box with the critical icon and an OK button.
  virtual void showError(const QString& title, const QString& text) = 0;
  // "Capture a list of searches": what to run (the saved profiles to choose from given), or
  // nothing on Cancel.
  virtual std::optional<batch::BatchChoice> askBatch(const std::vector<std::string>& profiles) = 0;
};

}  // namespace quillon::shell
