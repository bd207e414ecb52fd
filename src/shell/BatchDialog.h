#pragma once

#include "batch/BatchDialogModel.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

namespace quillon::shell {

// "Capture a list of searches": the run kind (a built-in site, any site, or a saved profile),
// then either start addresses or a search template with its values (typed, pasted or loaded
// from a text file), the first addresses they give, and Start. Its model is a
// batch::BatchDialogModel; the widgets show it and hand it what the user does.
class BatchDialog final : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kPreviewCount = 5;

  explicit BatchDialog(std::vector<std::string> profileNames, QWidget* parent = nullptr);

  const batch::BatchDialogModel& model() const { return m_model; }
  // Reads a text file into the list, or into the values, as "Load from a text file…" does.
  void loadFile(const QString& path);

 private:
  QWidget* createKindRow();
  QWidget* createSourceBox();
  void connectWidgets();
  // Shows what the model holds: the source's boxes, the preview, the problem, Start.
  void showModel();

  batch::BatchDialogModel m_model;
  QComboBox* m_kind = nullptr;
  QComboBox* m_site = nullptr;
  QComboBox* m_profile = nullptr;
  QRadioButton* m_listSource = nullptr;
  QRadioButton* m_templateSource = nullptr;
  QPlainTextEdit* m_list = nullptr;
  QLineEdit* m_template = nullptr;
  QPlainTextEdit* m_values = nullptr;
  QListWidget* m_preview = nullptr;
  QLabel* m_count = nullptr;
  QLabel* m_problem = nullptr;
  QDialogButtonBox* m_buttons = nullptr;
};

}  // namespace quillon::shell
