#pragma once

#include "shell/Dialogs.h"

class QWidget;

namespace quillon::shell {

// The dialogs of Qt Widgets.
class QtDialogs final : public Dialogs {
 public:
  // Dialogs are centred on the parent, which may be null.
  explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}

  std::optional<QString> getSaveFileName(const SaveRequest& request) override;
  bool askYesNo(const QString& title, const QString& text) override;
  void showError(const QString& title, const QString& text) override;
  std::optional<batch::BatchChoice> askBatch(const std::vector<std::string>& profiles) override;

 private:
  QWidget* m_parent;
};

}  // namespace quillon::shell
