#include "shell/TfrmVeskel.h"

#include "capture/CaptureController.h"
#include "results/SpreadsheetExport.h"
#include "shell/BrowserPane.h"
#include "shell/HomePage.h"
#include "shell/ProgressPanel.h"
#include "shell/QtDialogs.h"
#include "shell/ResultsModel.h"
#include "shell/StatusBar.h"
#include "text/Cp1252.h"
#include "webfetch/EmailLookup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QPushButton>

namespace quillon::shell {
namespace {

QString toQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

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
      m_sd(m_dialogs) {
  m_capture = std::make_unique<capture::CaptureController>(capture::CaptureServices{
      browser(), *this, m_table, m_pump, m_downloadBusy,
      [this](std::string_view url) { return webfetch::fetchEmailfromHTTP(m_webData, url); }});
  createWidgets();
  connectHandlers();
  browser().addListener(m_downloadBusy);
  browser().addListener(*this);
  FormCreate();
}

TfrmVeskel::~TfrmVeskel() {
  browser().removeListener(*this);
  browser().removeListener(m_downloadBusy);
  m_capture.reset();
}

capture::Browser& TfrmVeskel::browser() { return m_browserPane->browser(); }

QPushButton& TfrmVeskel::button(capture::WindowButton which) const {
  return *m_buttons[static_cast<std::size_t>(which)];
}

void TfrmVeskel::FormCreate() {
  setTitle(capture::kTitle);
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

void TfrmVeskel::runCapture(void (capture::CaptureController::*step)()) {
  m_errors.guard([&] { (m_capture.get()->*step)(); });
  // A close asked for during the run comes back once the run has unwound.
  if (m_closePending && !m_capture->isRunning()) {
    m_closePending = false;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
  }
}

void TfrmVeskel::btnSaveClick() {
  if (m_table.Count() == 0) return;
  const std::optional<QString> fileName = m_sd.Execute();
  if (!fileName) return;
  const WaitCursor hourglass;
  results::ExportToSpreadsheet(m_table, QFile::encodeName(*fileName).toStdString());
}

void TfrmVeskel::sbPanelClick(int panelIndex) {
  if (panelIndex == StatusBar::kHomePagePanel) navigateHome();
}

void TfrmVeskel::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  m_errors.guard([&] { FormCloseQuery(canClose); });
  if (canClose) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TfrmVeskel::FormCloseQuery(bool& canClose) {
  if (m_capture->isRunning()) {
    // The run is below us on the stack: it can only unwind after this handler returns.
    // It is told to stop at once; the close is asked again when it has gone.
    canClose = false;
    m_closePending = true;
    m_capture->abortRun();
    return;
  }
  if (m_table.Count() == 0) return;
  if (!m_dialogs.askYesNo(QStringLiteral(u"Exportación Excel"),
                          QStringLiteral("Guardar las lineas?"))) {
    return;
  }
  canClose = false;
  btnSaveClick();
}

void TfrmVeskel::DownloadBegin() {
  setTitle(std::u16string(capture::kTitle) + std::u16string(kDownloadSuffix));
}

void TfrmVeskel::DownloadComplete() { setTitle(capture::kTitle); }

void TfrmVeskel::setTitle(std::u16string_view title) { setWindowTitle(toQString(title)); }

void TfrmVeskel::setButtonEnabled(capture::WindowButton which, bool enabled) {
  button(which).setEnabled(enabled);
}

void TfrmVeskel::setStopVisible(bool visible) { m_btnStop->setVisible(visible); }

void TfrmVeskel::setBusyCursor(bool busy) {
  if (busy) {
    setCursor(Qt::WaitCursor);
  } else {
    unsetCursor();
  }
}

capture::ProgressIndicator& TfrmVeskel::progress() { return m_sb->progressPanel(); }

void TfrmVeskel::setCountText(const std::string& text) {
  m_sb->setPanelText(StatusBar::kCountPanel, QString::fromStdU16String(text::cp1252ToUtf16(text)));
}

}  // namespace quillon::shell
