#include "shell/SessionJournal.h"

#include "journal/Journal.h"
#include "journal/JournalError.h"
#include "results/ResultsTable.h"
#include "shell/Dialogs.h"
#include "shell/ErrorReport.h"

#include <QTimer>

#include <utility>

namespace quillon::shell {
namespace {

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

// Rows saved or none, and no list of searches left unfinished.
bool nothingLost(const journal::EarlierSession& session) {
  return (session.saved || session.rows == 0) && session.nextSearch == 0;
}

}  // namespace

SessionJournal::SessionJournal(journal::JournalFolder folder, results::ResultsTable& table,
                               capture::CaptureController& controller, Dialogs& dialogs)
    : m_folder(std::move(folder)), m_table(table), m_controller(controller), m_dialogs(dialogs) {}

SessionJournal::~SessionJournal() {
  if (m_runJournal) m_controller.removeObserver(*m_runJournal);
  if (m_journal) m_journal->detach();
}

bool SessionJournal::active() const { return m_journal && m_journal->active(); }

void SessionJournal::open() {
  try {
    bool asked = false;
    for (const journal::EarlierSession& session : m_folder.earlierSessions()) {
      if (!session.problem.empty()) {
        tell(QStringLiteral("The journal of an earlier session cannot be restored: %1.")
                 .arg(text(session.problem)));
        m_folder.discard(session.path);
      } else if (nothingLost(session) || asked) {
        // Nothing lost, or an older session than the one offered: it can go.
        if (nothingLost(session)) m_folder.discard(session.path);
      } else {
        asked = true;
        restoreOrDiscard(session);
      }
    }
    if (!m_journal) journalFreshTable();
  } catch (const journal::JournalError& error) {
    stopped(text(error.what()));
  }
}

void SessionJournal::restoreOrDiscard(const journal::EarlierSession& session) {
  const QString question =
      session.nextSearch == 0
          ? QStringLiteral("Restore the %1 rows captured in the last session?").arg(session.rows)
          : QStringLiteral(
                "Restore the %1 rows captured in the last session and go on with its "
                "list of searches at search %2 of %3?")
                .arg(session.rows)
                .arg(session.nextSearch)
                .arg(session.listSize);
  if (!m_dialogs.askYesNo(QString::fromLatin1(kApplicationTitle), question)) {
    m_folder.discard(session.path);
    return;
  }
  auto journal = std::make_unique<journal::Journal>(session.path);
  journal->restore(m_table);
  if (auto batch = journal->lastBatch(); batch && !batch->ended && batch->nextSearch()) {
    m_resumable = std::move(batch);
  }
  start(std::move(journal));
}

void SessionJournal::journalFreshTable() {
  std::unique_ptr<journal::Journal> journal = m_folder.createJournal();
  journal->attach(m_table);
  start(std::move(journal));
}

void SessionJournal::start(std::unique_ptr<journal::Journal> journal) {
  m_journal = std::move(journal);
  // A failure may come inside a change of the table: it is said once the change is over.
  m_journal->setStopListener([this](const journal::JournalError& error) {
    const QString why = text(error.what());
    QTimer::singleShot(0, [this, alive = std::weak_ptr<bool>(m_alive), why] {
      if (alive.lock()) stopped(why);
    });
  });
  // Each run gets a record, so that the journal knows where a run that did not end stood.
  m_runJournal = std::make_unique<capture::RunJournal>(*m_journal, nullptr, true);
  m_controller.addObserver(*m_runJournal);
  m_batchJournal = std::make_unique<batch::BatchJournal>(*m_journal, nullptr);
}

void SessionJournal::startBatch(const journal::BatchRecord& batch) {
  if (!active()) return;
  try {
    m_journal->startBatch(batch.start, batch.searches);
  } catch (const journal::JournalError&) {
    // The stop listener says it.
  }
}

void SessionJournal::endBatch() {
  if (!active()) return;
  try {
    m_journal->endBatch();
  } catch (const journal::JournalError&) {
    // The stop listener says it.
  }
}

std::optional<journal::BatchRecord> SessionJournal::takeResumableBatch() {
  return std::exchange(m_resumable, std::nullopt);
}

void SessionJournal::saved() {
  if (!active()) return;
  try {
    m_journal->markSaved();
  } catch (const journal::JournalError&) {
    // The stop listener says it.
  }
}

void SessionJournal::closed() {
  if (m_runJournal) m_controller.removeObserver(*m_runJournal);
  m_runJournal.reset();
  m_batchJournal.reset();
  if (!m_journal) return;
  m_journal->detach();
  try {
    m_journal->discard();
  } catch (const journal::JournalError&) {
    // A file that cannot be removed is offered again, and can be declined, next time.
  }
  m_journal.reset();
}

void SessionJournal::tell(const QString& message) {
  m_dialogs.showError(QString::fromLatin1(kApplicationTitle), message);
}

void SessionJournal::stopped(const QString& why) {
  tell(QStringLiteral("%1. Quillon goes on without a journal: a crash would lose the rows.")
           .arg(why.endsWith(QLatin1Char('.')) ? why.chopped(1) : why));
}

}  // namespace quillon::shell
