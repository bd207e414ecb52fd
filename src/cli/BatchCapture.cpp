#include "cli/BatchCapture.h"

#include "batch/BatchJournal.h"
#include "batch/BatchRunner.h"
#include "batch/BatchText.h"
#include "cli/CaptureOutput.h"
#include "cli/HeadlessCapture.h"
#include "cli/OffscreenBrowser.h"
#include "journal/Journal.h"
#include "journal/JournalError.h"
#include "results/ResultsTable.h"

#include <QGuiApplication>

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>

namespace quillon::cli {
namespace {

// Says where each search starts, how it ended, and what the batch came to.
class BatchPrinter final : public batch::BatchObserver {
 public:
  BatchPrinter(std::ostream& err, const results::ResultsTable& table)
      : m_err(err), m_table(table) {}
  void searchStarting(const journal::SearchRecord& search, int listSize) override {
    m_err << batch::searchStartText(search, listSize) << "\n";
  }
  void searchEnded(const journal::SearchRecord& search) override {
    m_err << batch::searchEndText(search) << "\n";
  }
  void batchEnded(const journal::BatchRecord& batch) override {
    m_err << batch::summaryText(batch, m_table.Count()) << "\n";
  }

 private:
  std::ostream& m_err;
  const results::ResultsTable& m_table;
};

// A batch that a site cut off was not read to its end either.
int statusOf(bool written, const journal::BatchRecord& batch, bool cutOff = false) {
  return written && !cutOff && !batch::anySearchFailed(batch) ? kExitOk : kExitFailure;
}

// Runs the searches of the batch that are not settled in an offscreen browser, then writes
// the table.
int readBatch(const CaptureOptions& options, journal::BatchRecord& batch, journal::Journal* journal,
              results::ResultsTable& table, CommandContext& context) {
  const auto app = makeOffscreenApplication();
  HeadlessCapture session(options, table, journal, context.err);
  // Each search's end line says why its run ended.
  session.setRunEndPrinted(false);
  batch::BatchRunner runner(
      {session.controller(), table,
       [&session](const std::string& address) {
         const auto failure = session.load(QUrl(QString::fromStdString(address)));
         session.dispatch();  // a Ctrl+C during the load stops the batch before the search
         return failure;
       },
       [&session] { return session.makeMode(); }});
  session.setInterruptAction([&runner] { runner.stop(); });
  BatchPrinter printer(context.err, table);
  runner.addObserver(printer);
  std::optional<batch::BatchJournal> recorder;
  if (journal != nullptr) {
    recorder.emplace(*journal, [&context](const std::string& why) {
      context.err << "quillon-cli capture: " << why << "; the batch goes on without the journal\n";
    });
    runner.addObserver(*recorder);
  }
  runner.run(batch);
  return statusOf(writeRows(table, options, context), batch, runner.cutOffBySite());
}

}  // namespace

int runBatchCapture(CaptureOptions& options, CommandContext& context) {
  const BatchList& list = *options.batch;
  journal::BatchRecord batch{
      {options.mode, options.journalled(), list.listSize, list.shard}, list.searches, false};
  if (!list.shard.empty()) {
    context.err << "shard " << list.shard << ": " << list.searches.size() << " of the "
                << list.listSize << " searches\n";
  }
  results::ResultsTable table;
  std::unique_ptr<journal::Journal> journal;  // after the table: it goes first
  if (!options.journal.empty()) {
    try {
      journal = std::make_unique<journal::Journal>(options.journal);
      if (journal->lastRun() || journal->lastBatch() || journal->rowCount() > 0) {
        context.err << "quillon-cli capture: " << options.journal
                    << " already holds a run: go on with it with --resume, or name a new file\n";
        return kExitFailure;
      }
      journal->attach(table);
      journal->startBatch(batch.start, batch.searches);
    } catch (const journal::JournalError& error) {
      context.err << "quillon-cli capture: " << error.what() << "\n";
      return kExitFailure;
    }
  }
  return readBatch(options, batch, journal.get(), table, context);
}

int resumeBatchCapture(CaptureOptions& options, journal::Journal& journal,
                       results::ResultsTable& table, CommandContext& context) {
  const int rows = journal.restore(table);
  journal::BatchRecord batch = *journal.lastBatch();
  const journal::SearchRecord* next = batch.nextSearch();
  if (batch.ended || next == nullptr) {
    context.err << "the batch in " << options.resume
                << " ended: " << batch::summaryText(batch, rows) << "; its rows are written\n";
    return statusOf(writeRows(table, options, context), batch);
  }
  options.mode = batch.start.mode;
  options.takeJournalled(batch.start.options);
  context.err << "resuming the batch at search " << next->position << " of " << batch.start.listSize
              << " with " << batch::withThousands(rows) << " rows\n";
  return readBatch(options, batch, &journal, table, context);
}

}  // namespace quillon::cli
