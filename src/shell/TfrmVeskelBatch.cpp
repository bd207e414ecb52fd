// The window's lists of searches: the button's dialog, the batch read in the window's browser
// with "search 3 of 40" beside the count, Stop, and a batch that the journal brings back.

#include "batch/BatchRunner.h"
#include "batch/BatchText.h"
#include "batch/Shard.h"
#include "capture/CaptureController.h"
#include "capture/CaptureError.h"
#include "capture/ProfileMode.h"
#include "capture/RunModes.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileStore.h"
#include "shell/BrowserPane.h"
#include "shell/Dialogs.h"
#include "shell/SessionJournal.h"
#include "shell/StatusBar.h"
#include "shell/TfrmVeskel.h"
#include "text/Utf8.h"

#include <QPushButton>

namespace quillon::shell {
namespace {

// The failed searches said in the error box, at most.
constexpr std::size_t kFailuresShown = 10;

}  // namespace

void TfrmVeskel::batchClick() {
  std::vector<std::string> profiles;
  for (const auto& stored : profiles::readShelf(profiles::profileFolder()).profiles) {
    profiles.push_back(stored.profile.name);
  }
  const std::optional<batch::BatchChoice> choice = m_dialogs.askBatch(profiles);
  if (!choice) return;
  journal::BatchRecord batch;
  batch.start.mode = choice->mode;
  if (choice->mode == "profile") {
    // The profile itself: the batch goes on as it began even when the file changes meanwhile.
    const auto stored = profiles::findProfile(choice->profile, profiles::profileFolder());
    batch.start.options.emplace_back("profile", profiles::profileJson(stored.profile));
  }
  batch.start.listSize = static_cast<int>(choice->addresses.size());
  batch.searches = batch::searchesOfShard(choice->addresses, std::nullopt);
  if (m_sessionJournal) m_sessionJournal->startBatch(batch);
  runBatch(std::move(batch));
}

void TfrmVeskel::runBatch(journal::BatchRecord batch) {
  std::optional<profiles::Profile> profile;
  for (const auto& [name, value] : batch.start.options) {
    if (name == "profile") profile = profiles::parseProfile(value, "kept in the journal");
  }
  const std::string mode = batch.start.mode;
  batch::BatchRunner runner(
      {*m_capture, m_table, [this](const std::string& address) { return loadBatchPage(address); },
       [&profile, &mode]() -> std::unique_ptr<capture::RunMode> {
         if (profile) return std::make_unique<capture::ProfileMode>(*profile);
         if (auto made = capture::runModeFor(mode)) return made;
         throw capture::CaptureError("no site or mode is called \"" + mode + "\"");
       }});
  runner.addObserver(*this);
  if (m_sessionJournal && m_sessionJournal->batchRecorder()) {
    runner.addObserver(*m_sessionJournal->batchRecorder());
  }
  m_batch = &runner;
  setStopVisible(true);
  setBusy(true);
  runCapture([&] { runner.run(batch); });
  m_batch = nullptr;
  // Stopped by the user (or a closing window): a later crash does not bring it back.
  if (runner.stopped() && m_sessionJournal) m_sessionJournal->endBatch();
  m_statusBar->setPanelText(StatusBar::kBatchPanel, QString());
  setStopVisible(false);
  setBusy(false);
}

bool TfrmVeskel::batchGoesOn() const { return m_batch != nullptr && !m_batch->stopped(); }

std::optional<std::string> TfrmVeskel::loadBatchPage(const std::string& address) {
  try {
    browser().Navigate(text::utf8ToUtf16(address));
  } catch (const std::exception& error) {
    return std::string(error.what());
  }
  // Stop, or the window closing, ends the wait: the batch then ends before the search.
  while (browser().ReadyState() != capture::Browser::kReadyStateComplete) {
    if (!batchGoesOn() || m_closePending) return std::nullopt;
    m_pump.processPendingMessages();
  }
  const std::string failure = m_browserPane->loadFailure();
  if (failure.empty()) return std::nullopt;
  return "could not load " + address + ": " + failure;
}

void TfrmVeskel::searchStarting(const journal::SearchRecord& search, int listSize) {
  m_statusBar->setPanelText(StatusBar::kBatchPanel,
                            QStringLiteral("search %1 of %2").arg(search.position).arg(listSize));
}

void TfrmVeskel::batchEnded(const journal::BatchRecord& batch) {
  QString summary = QString::fromStdString(batch::summaryText(batch, m_table.Count()));
  // A site that refused a search ended the batch there: say why, beside what is left.
  for (const journal::SearchRecord& search : batch.searches) {
    if (m_batch == nullptr || !m_batch->cutOffBySite()) break;
    if (search.state != journal::SearchState::Unfinished) continue;
    summary += QStringLiteral(" (search %1: %2)")
                   .arg(search.position)
                   .arg(QString::fromStdString(search.reason));
    break;
  }
  m_statusBar->setPanelText(StatusBar::kHintPanel, summary);
  if (!batch::anySearchFailed(batch)) return;
  QString failures = summary + QLatin1Char('\n');
  std::size_t shown = 0;
  for (const journal::SearchRecord& search : batch.searches) {
    if (search.state != journal::SearchState::Failed || ++shown > kFailuresShown) continue;
    failures += QLatin1Char('\n') +
                QString::fromStdString(batch::searchStartText(search, batch.start.listSize));
    failures += QStringLiteral("\n    ") + QString::fromStdString(search.reason);
  }
  m_dialogs.showError(QString::fromLatin1(kApplicationTitle), failures);
}

}  // namespace quillon::shell
