#pragma once

#include "batch/BatchObserver.h"
#include "capture/Browser.h"
#include "capture/CaptureObserver.h"
#include "capture/DownloadBusyFlag.h"
#include "capture/EmailSearches.h"
#include "capture/RunDisplay.h"
#include "results/ResultsTable.h"
#include "shell/ErrorReport.h"
#include "shell/SaveDialog.h"
#include "shell/WindowButton.h"
#include "webengine/QtMessagePump.h"
#include "webfetch/TWebData.h"

#include <QMainWindow>
#include <QRect>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QDoubleSpinBox;
class QCloseEvent;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;

namespace quillon::capture {
class CaptureController;
}

namespace quillon::profiles {
struct Profile;
}

namespace quillon::batch {
class BatchRunner;
}

namespace quillon::shell {

class BrowserPane;
class Dialogs;
class SessionJournal;
class GripSplitter;
class ResultsModel;
class ResultsView;
class StatusBar;
class TeachPanel;
class ToolPanel;

// The main window: the embedded browser with the navigation panel at its left, the
// lower pane with the save panel and the results list, and the status bar. Its handlers
// are the site and history buttons, the Capture and Stop buttons, Save, the status bar's
// home page panel, the browser's download events and the closing question. Every handler
// runs through the top-level error report.
class TfrmVeskel final : public QMainWindow,
                         public capture::RunDisplay,
                         private capture::BrowserListener,
                         private capture::CaptureObserver,
                         private batch::BatchObserver {
  Q_OBJECT

 public:
  static constexpr int kRestoredWidth = 864;
  static constexpr int kRestoredHeight = 633;
  static constexpr int kLowerPaneHeight = 203;
  // Stop's place in the navigation panel, alone and beside Continue.
  static constexpr QRect kStopAlone{12, 346, 99, 25};
  static constexpr QRect kStopBesideContinue{12, 346, 48, 25};
  static constexpr QRect kContinue{63, 346, 48, 25};

  // dialogs: where the window's questions go (Qt's dialogs when null); not owned.
  explicit TfrmVeskel(std::unique_ptr<BrowserPane> browserPane, Dialogs* dialogs = nullptr,
                      QWidget* parent = nullptr);
  ~TfrmVeskel() override;

  results::ResultsTable& table() { return m_table; }
  capture::CaptureController& captureController() { return *m_capture; }
  capture::Browser& browser();
  ResultsView& resultsView() const { return *m_resultsView; }
  StatusBar& statusPanels() const { return *m_statusBar; }
  QPushButton& button(WindowButton which) const;
  QPushButton& stopButton() const { return *m_stopButton; }
  QPushButton& continueButton() const { return *m_continueButton; }
  QLineEdit& proxyField() const { return *m_proxyField; }
  QDoubleSpinBox& delayBox() const { return *m_delayBox; }
  QLineEdit& addressField() const { return *m_addressField; }
  TeachPanel& teachPanel() const { return *m_teachPanel; }
  QPushButton& teachButton() const { return *m_teachButton; }
  QPushButton& batchButton() const { return *m_batchButton; }
  webfetch::TWebData& webData() { return m_webData; }

  // Keeps the table in a crash-safe journal in the folder, after offering back what an
  // earlier session that did not end normally captured.
  void useJournal(const std::string& journalFolder);
  bool journalActive() const;

  // Handlers, callable as the buttons call them.
  void btncomerClick();
  void btnItaliaClick();
  void btnAustraliaClick();
  void btncanadaClick();
  void btnAnySiteClick();
  void btnStopClick();
  // Continue: the check for a person is passed in the page; the paused run goes on.
  void btnContinueClick();
  // The Options' proxy, as typed: empty for none; a bad one is said in the hint panel.
  void proxyEntered();
  void btnSaveClick();
  void sbPanelClick(int panelIndex);
  // Enter in the address field: loads what the user typed (a bare host name over https).
  void addressEntered();
  // "Teach this site…": shows the teach panel beside the page (reading the page), or hides it.
  void teachClick();
  // A run with a site profile, as the Capture buttons start theirs.
  void captureWithProfile(const profiles::Profile& profile);
  // "Capture a list of searches…": asks for the list, then reads its searches one after
  // another in the browser (TfrmVeskelBatch.cpp).
  void batchClick();

  // The busy and idle looks of the window during a run.
  void disableAllButtons();
  void enableAllButtons();

  // capture::RunDisplay
  void setBusy(bool busy) override;
  void setStopVisible(bool visible) override;
  void setContinueVisible(bool visible) override;
  capture::ProgressIndicator& progress() override;
  void setCountText(const std::string& text) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The builders of the layout.
  void createWidgets();
  ToolPanel* createNavigationPanel();
  QWidget* createLowerPane();
  QWidget* createBrowserArea();
  ToolPanel* createOptionsPanel(QWidget* parent);
  void createStatusBar();
  QPushButton* addButton(QWidget* panel, const char* name, const QString& caption,
                         const QRect& geometry);
  void connectHandlers();
  // The teach panel and its button (TfrmVeskelTeach.cpp).
  QWidget* createTeachPanel();
  void addSelectionActions(QMenu& menu, const QString& selection);
  // A batch of searches: a new one or one that the journal brought back (TfrmVeskelBatch.cpp).
  void runBatch(journal::BatchRecord batch);
  std::optional<std::string> loadBatchPage(const std::string& address);
  bool batchGoesOn() const;

  void FormCreate();
  void FormCloseQuery(QCloseEvent& event);
  // Whether the window may close now: not while a run is below on the stack (it is told to
  // stop, and the close comes back once it has gone), and not when the user chose to save
  // the rows first.
  bool mayClose();
  void navigateHome();
  void openSite(std::u16string_view address);
  // Runs a capture (a button's, or one with a profile) with the run's settings around it.
  void runCapture(const std::function<void()>& run);
  std::unique_ptr<capture::EmailSearches> makeEmailSearches();

  // capture::BrowserListener
  void DownloadBegin() override;
  void DownloadComplete() override;
  void DocumentComplete(std::u16string_view url) override;

  // capture::CaptureObserver: why a run ended goes to the hint panel.
  void pageStarting(int page, std::string_view address) override;
  void pageRefused(int page, int status, std::chrono::milliseconds wait) override;
  void personCheck(int page, const std::string& recognised, std::string_view address) override;
  void runEnded(const capture::RunEnd& end) override;
  void showAddress();
  // The hint panel says what "Capture any site" finds on the page shown.
  void showPageHint();

  // batch::BatchObserver: which search the batch is at, and what it came to.
  void searchStarting(const journal::SearchRecord& search, int listSize) override;
  void batchEnded(const journal::BatchRecord& batch) override;

  std::unique_ptr<Dialogs> m_ownDialogs;
  Dialogs& m_dialogs;
  ErrorReport m_errors;
  webengine::QtMessagePump m_pump;
  webfetch::TWebData m_webData;
  results::ResultsTable m_table;
  std::unique_ptr<ResultsModel> m_model;
  capture::DownloadBusyFlag m_downloadBusy;
  std::unique_ptr<BrowserPane> m_browserPane;
  std::unique_ptr<capture::CaptureController> m_capture;
  std::unique_ptr<SessionJournal> m_sessionJournal;
  SaveDialog m_saveDialog;
  bool m_closePending = false;
  int m_lookupConcurrency = 8;
  bool m_skipImages = false;

  ToolPanel* m_navigationPanel = nullptr;
  ToolPanel* m_savePanel = nullptr;
  GripSplitter* m_splitter = nullptr;
  ResultsView* m_resultsView = nullptr;
  StatusBar* m_statusBar = nullptr;
  std::array<QPushButton*, kWindowButtonCount> m_buttons{};
  QPushButton* m_stopButton = nullptr;
  QPushButton* m_continueButton = nullptr;
  QLineEdit* m_addressField = nullptr;
  ToolPanel* m_optionsPanel = nullptr;
  QCheckBox* m_findEmailsBox = nullptr;
  QCheckBox* m_skipImagesBox = nullptr;
  QSpinBox* m_lookupsBox = nullptr;
  QDoubleSpinBox* m_delayBox = nullptr;
  QLineEdit* m_proxyField = nullptr;
  TeachPanel* m_teachPanel = nullptr;
  QPushButton* m_teachButton = nullptr;
  QPushButton* m_batchButton = nullptr;
  batch::BatchRunner* m_batch = nullptr;  // while a batch runs
};

}  // namespace quillon::shell
