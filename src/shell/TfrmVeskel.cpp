#include "shell/TfrmVeskel.h"

#include "batch/BatchRunner.h"
#include "capture/CaptureController.h"
#include "capture/PageAnswer.h"
#include "capture/PageSurvey.h"
#include "capture/QueuedEmailSearches.h"
#include "results/SpreadsheetExport.h"
#include "shell/BrowserPane.h"
#include "shell/HomePage.h"
#include "shell/ProgressPanel.h"
#include "shell/QtDialogs.h"
#include "shell/ResultsModel.h"
#include "shell/SessionJournal.h"
#include "shell/StatusBar.h"
#include "shell/TeachPanel.h"
#include "shell/WindowTitle.h"
#include "webengine/ApplicationProxy.h"
#include "webfetch/ProxySetting.h"
#include "webfetch/WebFetchError.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace quillon::shell {
namespace {

// The hourglass for the time of an export, restored also when the export fails.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

TfrmVeskel::TfrmVeskel(std::unique_ptr<BrowserPane> browserPane, Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent),
      m_ownDialogs(dialogs != nullptr ? nullptr : std::make_unique<QtDialogs>(this)),
      m_dialogs(dialogs != nullptr ? *dialogs : *m_ownDialogs),
      m_errors(m_dialogs),
      m_webData(m_pump),
      m_model(std::make_unique<ResultsModel>(m_table)),
      m_browserPane(std::move(browserPane)),
      m_saveDialog(m_dialogs) {
  m_capture = std::make_unique<capture::CaptureController>(capture::CaptureServices{
      browser(), *this, m_table, m_pump, m_downloadBusy, [this] { return makeEmailSearches(); },
      [this](std::string_view url) { return m_webData.fetchPage(url); }});
  m_capture->setPausesForPersons(true);
  createWidgets();
  connectHandlers();
  browser().AddListener(m_downloadBusy);
  browser().AddListener(*this);
  m_capture->addObserver(*this);
  FormCreate();
}

TfrmVeskel::~TfrmVeskel() {
  m_sessionJournal.reset();
  m_capture->removeObserver(*this);
  browser().RemoveListener(*this);
  browser().RemoveListener(m_downloadBusy);
  m_capture.reset();
}

capture::Browser& TfrmVeskel::browser() { return m_browserPane->browser(); }

QPushButton& TfrmVeskel::button(WindowButton which) const {
  return *m_buttons[static_cast<std::size_t>(which)];
}

void TfrmVeskel::FormCreate() {
  setWindowTitle(idleTitle());
  m_table.TransCanadian();
  navigateHome();
}

void TfrmVeskel::navigateHome() {
  try {
    browser().Navigate(fileAddress(homePageFilePath()).toStdU16String());
  } catch (...) {
    // A missing file shows the browser's own error page; nothing else is said.
  }
}

void TfrmVeskel::openSite(std::u16string_view address) {
  m_errors.guard([&] { browser().Navigate(address); });
}

void TfrmVeskel::btncomerClick() {
  runCapture([this] { m_capture->capture(parsers::Site::ES); });
}
void TfrmVeskel::btnItaliaClick() {
  runCapture([this] { m_capture->capture(parsers::Site::IT); });
}
void TfrmVeskel::btnAustraliaClick() {
  runCapture([this] { m_capture->capture(parsers::Site::AU); });
}
void TfrmVeskel::btncanadaClick() {
  runCapture([this] { m_capture->capture(parsers::Site::CA); });
}
void TfrmVeskel::btnAnySiteClick() {
  runCapture([this] { m_capture->captureAnySite(); });
}
void TfrmVeskel::btnStopClick() {
  if (m_batch != nullptr) {
    m_batch->stop();  // the page in progress, then the batch
  } else {
    m_capture->stop();
  }
}

void TfrmVeskel::btnContinueClick() { m_capture->continueAfterCheck(); }

void TfrmVeskel::proxyEntered() {
  const std::string typed = m_proxyField->text().trimmed().toStdString();
  std::optional<webfetch::ProxySetting> proxy;
  if (!typed.empty()) {
    try {
      proxy = webfetch::parseProxy(typed);
    } catch (const webfetch::WebFetchError& error) {
      m_statusBar->setPanelText(StatusBar::kHintPanel, QString::fromStdString(error.what()));
      return;
    }
  }
  webengine::useApplicationProxy(proxy);
  m_webData.setProxy(proxy ? proxy->curlAddress() : std::string());
  m_browserPane->proxyChanged();
  m_statusBar->setPanelText(StatusBar::kHintPanel,
                            proxy
                                ? QStringLiteral("Pages and fetches go through the proxy %1")
                                      .arg(QString::fromStdString(proxy->hostAndPort()))
                                : QStringLiteral("Pages and fetches go directly, without a proxy"));
}

void TfrmVeskel::runCapture(const std::function<void()>& run) {
  // Lighter pages, when asked for, only while a run goes.
  if (!m_capture->isRunning()) m_browserPane->setBlockHeavyResources(m_skipImages);
  m_errors.guard(run);
  if (!m_capture->isRunning()) m_browserPane->setBlockHeavyResources(false);
  // A close asked for during the run comes back once the run has unwound.
  if (m_closePending && !m_capture->isRunning()) {
    m_closePending = false;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
  }
}

std::unique_ptr<capture::EmailSearches> TfrmVeskel::makeEmailSearches() {
  // Built for each run from the web data component's agent, routing and limits as they are.
  return std::make_unique<capture::QueuedEmailSearches>(m_pump, m_webData.Agent,
                                                        m_webData.routing(), m_webData.limits(),
                                                        m_lookupConcurrency, m_webData.backoff());
}

void TfrmVeskel::useJournal(const std::string& journalFolder) {
  m_sessionJournal = std::make_unique<SessionJournal>(journal::JournalFolder(journalFolder),
                                                      m_table, *m_capture, m_dialogs);
  m_sessionJournal->open();
  // A list of searches that the last session left unfinished goes on once the window runs.
  if (auto batch = m_sessionJournal->takeResumableBatch()) {
    QMetaObject::invokeMethod(
        this, [this, resumed = std::move(*batch)] { m_errors.guard([&] { runBatch(resumed); }); },
        Qt::QueuedConnection);
  }
}

bool TfrmVeskel::journalActive() const { return m_sessionJournal && m_sessionJournal->active(); }

void TfrmVeskel::btnSaveClick() {
  if (m_table.Count() == 0) return;
  const std::optional<QString> fileName = m_saveDialog.Execute();
  if (!fileName) return;
  const WaitCursor hourglass;
  results::ExportToSpreadsheet(m_table, QFile::encodeName(*fileName).toStdString());
  if (m_sessionJournal) m_sessionJournal->saved();
}

void TfrmVeskel::sbPanelClick(int panelIndex) {
  if (panelIndex == StatusBar::kHomePagePanel) navigateHome();
}

void TfrmVeskel::closeEvent(QCloseEvent* event) { FormCloseQuery(*event); }

void TfrmVeskel::FormCloseQuery(QCloseEvent& event) {
  // A failure on the way (a failed save) keeps the window open, rows and all.
  bool canClose = false;
  m_errors.guard([&] { canClose = mayClose(); });
  event.setAccepted(canClose);
  // A normal end: nothing is left to restore.
  if (canClose && m_sessionJournal) m_sessionJournal->closed();
}

bool TfrmVeskel::mayClose() {
  if (m_batch != nullptr) {
    // The batch is below us on the stack, maybe between two searches.
    m_closePending = true;
    m_batch->stop();
    if (m_capture->isRunning()) m_capture->abortRun();
    return false;
  }
  if (m_capture->isRunning()) {
    // The run is below us on the stack: it can only unwind after this handler returns.
    m_closePending = true;
    m_capture->abortRun();
    return false;
  }
  if (m_table.Count() == 0) return true;
  if (!m_dialogs.askYesNo(QStringLiteral(u"Exportación Excel"),
                          QStringLiteral("Guardar las lineas?"))) {
    return true;
  }
  btnSaveClick();
  return false;
}

void TfrmVeskel::DownloadBegin() { setWindowTitle(downloadTitle()); }

void TfrmVeskel::DownloadComplete() {
  setWindowTitle(idleTitle());
  showAddress();
}

void TfrmVeskel::DocumentComplete(std::u16string_view) {
  showAddress();
  // What "Capture any site" would read, for the page the user shows.
  if (!m_capture->isRunning()) m_errors.guard([this] { showPageHint(); });
  // The teach panel follows the page the user shows, not the pages of a run.
  if (m_teachPanel->isVisible() && !m_capture->isRunning()) {
    m_errors.guard([this] { m_teachPanel->readPage(); });
  }
}

void TfrmVeskel::showPageHint() {
  const std::u16string address = browser().LocationURL();
  bool ownPage = address.empty() || address.starts_with(u"about:");
  try {
    ownPage = ownPage || address == fileAddress(homePageFilePath()).toStdU16String();
  } catch (...) {
    // Without a home page file, no page is the program's own.
  }
  const std::optional<capture::PageSurvey> survey =
      ownPage ? std::nullopt : capture::surveyShownPage(browser());
  m_statusBar->setPanelText(
      StatusBar::kHintPanel,
      survey ? QString::fromStdString(capture::surveyHint(*survey)) : StatusBar::listHint());
}

void TfrmVeskel::showAddress() {
  // What the user is typing stays until Enter or Esc.
  if (m_addressField->hasFocus() && m_addressField->isModified()) return;
  m_addressField->setText(QString::fromStdU16String(browser().LocationURL()));
  m_addressField->setModified(false);
}

void TfrmVeskel::addressEntered() {
  QString typed = m_addressField->text().trimmed();
  if (typed.isEmpty()) return;
  // A bare host name ("example.com/search") is a web address.
  if (!typed.contains(QLatin1String("://")) &&
      !typed.startsWith(QLatin1String("about:"), Qt::CaseInsensitive) &&
      !typed.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
    typed.prepend(QLatin1String("https://"));
  }
  m_addressField->setModified(false);
  browser().Navigate(typed.toStdU16String());
}

void TfrmVeskel::pageStarting(int page, std::string_view) {
  if (page == 1) m_statusBar->setPanelText(StatusBar::kHintPanel, StatusBar::listHint());
}

void TfrmVeskel::pageRefused(int page, int status, std::chrono::milliseconds wait) {
  m_statusBar->setPanelText(StatusBar::kHintPanel,
                            QString::fromStdString(capture::refusalNotice(page, status, wait)));
}

void TfrmVeskel::personCheck(int, const std::string&, std::string_view) {
  m_statusBar->setPanelText(
      StatusBar::kHintPanel,
      QStringLiteral("The site asks for a check on this page. Pass it in the page, then press "
                     "Continue."));
  // The user works in the page now; Continue sets the busy looks again.
  unsetCursor();
}

void TfrmVeskel::runEnded(const capture::RunEnd& end) {
  m_statusBar->setPanelText(StatusBar::kHintPanel,
                            QStringLiteral("Capture ended: ") + QString::fromStdString(end.reason));
}

void TfrmVeskel::setBusy(bool busy) {
  // Between the runs of a batch's searches the window stays busy.
  if (!busy && batchGoesOn()) return;
  if (busy) {
    disableAllButtons();
  } else {
    enableAllButtons();
  }
}

void TfrmVeskel::disableAllButtons() {
  setWindowTitle(busyTitle());
  for (QPushButton* each : m_buttons) each->setEnabled(false);
  m_addressField->setEnabled(false);
  m_teachButton->setEnabled(false);
  m_batchButton->setEnabled(false);
  m_teachPanel->setEnabled(false);
  setCursor(Qt::WaitCursor);
}

void TfrmVeskel::enableAllButtons() {
  setWindowTitle(idleTitle());
  for (QPushButton* each : m_buttons) each->setEnabled(true);
  m_addressField->setEnabled(true);
  m_teachButton->setEnabled(true);
  m_batchButton->setEnabled(true);
  m_teachPanel->setEnabled(true);
  unsetCursor();
}

void TfrmVeskel::setStopVisible(bool visible) {
  if (!visible && batchGoesOn()) return;
  m_stopButton->setVisible(visible);
  m_batchButton->setVisible(!visible);
}

void TfrmVeskel::setContinueVisible(bool visible) {
  // The two share Stop's place, side by side, while a run waits for the user.
  m_stopButton->setGeometry(visible ? kStopBesideContinue : kStopAlone);
  m_stopButton->setText(visible ? QStringLiteral("Stop") : QStringLiteral("Stop Capture!"));
  m_continueButton->setVisible(visible);
}

capture::ProgressIndicator& TfrmVeskel::progress() { return m_statusBar->progressPanel(); }

void TfrmVeskel::setCountText(const std::string& text) {
  m_statusBar->setPanelText(StatusBar::kCountPanel, QString::fromStdString(text));
}

}  // namespace quillon::shell
