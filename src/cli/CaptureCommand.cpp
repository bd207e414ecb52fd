#include "capture/RunJournal.h"
#include "cli/BatchCapture.h"
#include "cli/CaptureOptions.h"
#include "cli/CaptureOutput.h"
#include "cli/Command.h"
#include "cli/HeadlessCapture.h"
#include "cli/OffscreenBrowser.h"
#include "journal/Journal.h"
#include "journal/JournalError.h"
#include "profiles/ProfileError.h"
#include "results/ResultsTable.h"

#include <QGuiApplication>

#include <memory>
#include <optional>
#include <ostream>
#include <variant>

namespace quillon::cli {
namespace {

// What a run needs to begin: its first address and, when it goes on from a journal, where.
struct RunPlan {
  QUrl url;
  capture::RunResumption resumption;
  bool nothingLeft = false;  // a resumed run that had ended: only its rows are written
};

// Opens the journal of --resume, brings the table back and plans the rest of the run.
std::optional<RunPlan> planResumption(CaptureOptions& options, journal::Journal& journal,
                                      results::ResultsTable& table, CommandContext& context) {
  const int rows = journal.restore(table);
  const std::optional<journal::RunRecord> run = journal.lastRun();
  if (!run) {
    context.err << "quillon-cli capture: the journal " << options.resume << " holds no run\n";
    return std::nullopt;
  }
  RunPlan plan;
  if (run->ended || run->nextAddress.empty()) {
    context.err << "the run in " << options.resume << " ended"
                << (run->endReason.empty() ? std::string() : " (" + run->endReason + ")")
                << "; its " << rows << " rows are written\n";
    plan.nothingLeft = true;
    return plan;
  }
  options.mode = run->start.mode;
  options.takeJournalled(run->start.options);
  plan.resumption = capture::resumptionOf(*run);
  plan.url = QUrl(QString::fromStdString(run->nextAddress));
  context.err << "resuming at page " << plan.resumption.firstPage << " (" << run->nextAddress
              << ") with " << rows << " rows\n";
  return plan;
}

// Opens the journal of --journal for a new run.
bool startJournal(const CaptureOptions& options, const QUrl& url, journal::Journal& journal,
                  results::ResultsTable& table, CommandContext& context) {
  if (journal.lastRun() || journal.rowCount() > 0) {
    context.err << "quillon-cli capture: " << options.journal
                << " already holds a run: go on with it with --resume, or name a new file\n";
    return false;
  }
  journal.attach(table);
  journal.startRun({options.mode, url.toString().toStdString(), options.journalled()});
  return true;
}

}  // namespace

int runCapture(CommandContext& context) {
  auto parsed = parseCaptureOptions(context);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  CaptureOptions& options = std::get<CaptureOptions>(parsed);
  if (options.batch) return runBatchCapture(options, context);

  results::ResultsTable table;
  std::unique_ptr<journal::Journal> journal;  // after the table: it goes first
  RunPlan plan;
  try {
    if (!options.resume.empty()) {
      journal = std::make_unique<journal::Journal>(options.resume);
      if (journal->lastBatch()) return resumeBatchCapture(options, *journal, table, context);
      const auto resumed = planResumption(options, *journal, table, context);
      if (!resumed) return kExitFailure;
      plan = *resumed;
      if (plan.nothingLeft) return writeRows(table, options, context) ? kExitOk : kExitFailure;
    } else {
      const auto url = resolveAddress(options.address, context.err);
      if (!url) return kExitFailure;
      plan.url = *url;
      if (!options.journal.empty()) {
        journal = std::make_unique<journal::Journal>(options.journal);
        if (!startJournal(options, plan.url, *journal, table, context)) return kExitFailure;
      }
    }
  } catch (const journal::JournalError& error) {
    context.err << "quillon-cli capture: " << error.what() << "\n";
    return kExitFailure;
  } catch (const profiles::ProfileError& error) {
    context.err << "quillon-cli capture: " << error.what() << "\n";
    return kExitFailure;
  }

  useProxy(options.fetch.proxy);
  const auto app = makeOffscreenApplication();
  const capture::RunEnd end =
      captureHeadless(options, plan.url, table, journal.get(), plan.resumption, context.err);
  if (!writeRows(table, options, context)) return kExitFailure;
  // A search not read to its end (a refused page, a check for a person, an error) fails.
  return end.readToItsEnd() ? kExitOk : kExitFailure;
}

}  // namespace quillon::cli
