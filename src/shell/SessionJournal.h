#pragma once

#include "batch/BatchJournal.h"
#include "capture/RunJournal.h"
#include "journal/BatchRecord.h"
#include "journal/JournalFolder.h"

#include <QString>

#include <memory>
#include <optional>

namespace quillon::journal {
class Journal;
}
namespace quillon::results {
class ResultsTable;
}

namespace quillon::shell {

class Dialogs;

// The window's crash-safe journal. At start it offers back what an earlier session that
// ended without saving or closing had captured, and a list of searches it left unfinished;
// then it journals the table, the window's capture runs and its batches. A save marks it
// saved, a normal close deletes it. Journal trouble (a locked
// or damaged file, a full disk) is said once, and the window goes on without a journal.
class SessionJournal {
 public:
  SessionJournal(journal::JournalFolder folder, results::ResultsTable& table,
                 capture::CaptureController& controller, Dialogs& dialogs);
  // Lets go of the table and the runs; the file stays, as after a crash.
  ~SessionJournal();
  SessionJournal(const SessionJournal&) = delete;
  SessionJournal& operator=(const SessionJournal&) = delete;

  // Start-up: asks whether to restore the newest earlier session with rows, then journals.
  void open();
  // The table was saved.
  void saved();
  // The window closes normally: the journal is no longer needed.
  void closed();

  // A new batch of searches: its list goes in; then batchRecorder() writes its searches.
  void startBatch(const journal::BatchRecord& batch);
  // Hears a batch's searches; nullptr without a journal.
  batch::BatchObserver* batchRecorder() { return m_batchJournal.get(); }
  // The user ended the batch: a later crash does not bring it back.
  void endBatch();
  // The unfinished batch of the session restored at start, once; the window goes on with it.
  std::optional<journal::BatchRecord> takeResumableBatch();

  bool active() const;

 private:
  void restoreOrDiscard(const journal::EarlierSession& session);
  void journalFreshTable();
  void start(std::unique_ptr<journal::Journal> journal);
  void tell(const QString& text);
  void stopped(const QString& why);

  journal::JournalFolder m_folder;
  results::ResultsTable& m_table;
  capture::CaptureController& m_controller;
  Dialogs& m_dialogs;
  std::unique_ptr<journal::Journal> m_journal;
  std::unique_ptr<capture::RunJournal> m_runJournal;
  std::unique_ptr<batch::BatchJournal> m_batchJournal;
  std::optional<journal::BatchRecord> m_resumable;
  std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);  // for what is said later
};

}  // namespace quillon::shell
