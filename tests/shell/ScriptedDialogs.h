#pragma once

#include "shell/Dialogs.h"

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace quillon::shell::testing {

// Dialogs that answer from a script and remember what they were asked; none of them
// ever opens a window, so no test waits on a modal dialog.
class ScriptedDialogs final : public Dialogs {
 public:
  // The answers of the save dialog, in turn (an empty name: cancel); cancel when none is
  // left.
  std::deque<QString> saveAnswers;
  // The answers to Yes/No questions, in turn; No when none is left.
  std::deque<bool> yesNoAnswers;
  // The answers of "Capture a list of searches", in turn; Cancel when none is left.
  std::deque<batch::BatchChoice> batchAnswers;
  // Runs while the save dialog is "open", as the event loop of a real one would.
  std::function<void()> whileSaving;

  std::vector<SaveRequest> saveRequests;
  struct Question {
    QString title;
    QString text;
  };
  std::vector<Question> questions;
  std::vector<Question> errors;
  std::vector<std::vector<std::string>> batchRequests;  // the profiles offered each time

  std::optional<QString> getSaveFileName(const SaveRequest& request) override {
    saveRequests.push_back(request);
    if (whileSaving) whileSaving();
    if (saveAnswers.empty()) return std::nullopt;
    const QString answer = saveAnswers.front();
    saveAnswers.pop_front();
    if (answer.isEmpty()) return std::nullopt;
    return answer;
  }

  bool askYesNo(const QString& title, const QString& text) override {
    questions.push_back({title, text});
    if (yesNoAnswers.empty()) return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
  }

  void showError(const QString& title, const QString& text) override {
    errors.push_back({title, text});
  }

  std::optional<batch::BatchChoice> askBatch(const std::vector<std::string>& profiles) override {
    batchRequests.push_back(profiles);
    if (batchAnswers.empty()) return std::nullopt;
    batch::BatchChoice answer = batchAnswers.front();
    batchAnswers.pop_front();
    return answer;
  }
};

}  // namespace quillon::shell::testing
