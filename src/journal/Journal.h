#pragma once

#include "journal/BatchRecord.h"
#include "journal/JournalError.h"
#include "journal/RunRecord.h"
#include "journal/TableOp.h"
#include "journal/TableRecorder.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::results {
class ResultsTable;
}

namespace quillon::journal {

class JournalFile;

// The crash-safe record of one session: every change of a results table and the
// position of the capture run, in a file that a later session (or `--resume`) reads to
// make the table and the run come back as they were.
//
// Changes made between beginPage() and commitPage() reach the file together with the
// page's record, in one transaction; any other change (a user's edit) is written at
// once, in a transaction of its own. A kill therefore loses at most the page in
// progress.
//
// A write that fails stops the journal: it ignores the table from then on, keeps the
// error (failure()) and does nothing more, while the table goes on as before. The calls below
// that write raise that JournalError; a change heard from the table cannot raise (it
// comes inside the table's call), so its failure is only kept. Not thread-safe.
class Journal {
 public:
  // Opens the journal at the path, creating it when the file is missing or empty, and
  // locks it for as long as this object lives. Throws JournalError.
  explicit Journal(const std::string& path);
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;
  // Lets go of the table and closes the file, which stays for a later session; changes
  // of a page that was not committed are not in it.
  ~Journal();

  const std::string& path() const { return m_path; }

  // Journals every later change of the table. The table must be empty and the journal
  // must hold no changes yet (else std::logic_error); detach before the table goes.
  void attach(results::ResultsTable& table);
  // Makes a fresh, empty table what the journal holds (rows, order, edits, captions,
  // header sort), then journals it as attach() does. Returns its row count. Nothing is
  // added when the journal is damaged (JournalError).
  int restore(results::ResultsTable& table);
  void detach();

  // Brackets a capture step: changes from here on wait for commitPage.
  void beginPage();
  // Writes the waiting changes and the page's record (under the current run) together.
  void commitPage(const PageRecord& page);
  // Writes the waiting changes without a page record, for a page that was not read to
  // its end (the run failed or was aborted on it); the page counts as unread.
  void commitChanges();

  // Starts a new run record; pages then go under it. A journal opened on a run that
  // had not ended goes on with that run.
  void startRun(const RunStart& start);
  // The next page's address, once known after the page's commit.
  void setNextAddress(std::string_view address);
  // The run ended (no next page, Stop, the page limit, a failure): the reason in words.
  void endRun(std::string_view reason);
  // The run started last, as the file holds it; nullopt when there is none.
  std::optional<RunRecord> lastRun();

  // A batch of searches: its list (each search Waiting) goes in at once. A journal opened
  // on a batch that had not ended goes on with that batch.
  void startBatch(const BatchStart& start, const std::vector<SearchRecord>& searches);
  // The search at the list position starts: a run is started for it under the batch's mode
  // and options, or, when it had one, that run goes on (pages go under it again).
  void startSearch(int position, int rowsBefore);
  // Writes where the search stands (state, reason, rows); a settled search's run ends.
  void endSearch(const SearchRecord& search);
  // No search of the batch is to be read any more (all settled, or the user ended it).
  void endBatch();
  // The batch started last, with its searches and their pages; nullopt when there is none
  // (also in a journal of a format before batches).
  std::optional<BatchRecord> lastBatch();

  // The rows that a restore would give now.
  int rowCount();
  // The table as it stands is saved: a later session need not offer it back unless it
  // changes again. Changes of an uncommitted page are not covered.
  void markSaved();
  bool saved() const { return m_saved; }

  // True while the journal writes: open and not stopped by a failure.
  bool active() const { return m_file != nullptr && !m_failure; }
  const std::optional<JournalError>& failure() const { return m_failure; }
  // Told once, when a failure stops the journal (also one heard inside a table change).
  void setStopListener(std::function<void(const JournalError&)> listener) {
    m_stopListener = std::move(listener);
  }

  // Closes the journal and deletes its file: the session no longer needs it. Works on a
  // stopped journal too; afterwards the object does nothing. Throws JournalError when the
  // file cannot be removed.
  void discard();

 private:
  struct Statements;

  void record(TableOp op);
  void writePending();
  template <class Write>
  void transact(Write write);
  void stop(const JournalError& error);
  void requireOpen() const;

  std::string m_path;
  std::unique_ptr<JournalFile> m_file;
  std::unique_ptr<Statements> m_statements;  // before the file closes
  TableRecorder m_recorder;
  std::vector<TableOp> m_pending;
  bool m_inPage = false;
  bool m_saved = false;
  std::int64_t m_runId = 0;
  std::int64_t m_batchId = 0;
  std::optional<JournalError> m_failure;
  std::function<void(const JournalError&)> m_stopListener;
};

}  // namespace quillon::journal
