// The layout of the main window: its builders and the wiring of its handlers.

#include "capture/CaptureController.h"
#include "shell/BrowserPane.h"
#include "shell/GripSplitter.h"
#include "shell/HomePage.h"
#include "shell/OfficeLook.h"
#include "shell/ResultsView.h"
#include "shell/StatusBar.h"
#include "shell/TfrmVeskel.h"
#include "shell/ToolPanel.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace quillon::shell {
namespace {

constexpr int kNavigationPanelWidth = 122;
constexpr int kSavePanelWidth = 117;
constexpr int kOptionsPanelWidth = 200;
constexpr int kButtonLeft = 12;
constexpr int kButtonWidth = 99;
constexpr int kButtonHeight = 25;

QRect buttonAt(int top) { return {kButtonLeft, top, kButtonWidth, kButtonHeight}; }

}  // namespace

void TfrmVeskel::createWidgets() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* upper = new QWidget(central);
  auto* upperLayout = new QHBoxLayout(upper);
  upperLayout->setContentsMargins(0, 0, 0, 0);
  upperLayout->setSpacing(0);
  upperLayout->addWidget(createNavigationPanel());
  upperLayout->addWidget(createBrowserArea(), 1);
  upperLayout->addWidget(createTeachPanel());

  m_splitter = new GripSplitter(central);
  m_splitter->setObjectName(QStringLiteral("AdvSplitter1"));
  m_splitter->addWidget(upper);
  m_splitter->addWidget(createLowerPane());
  m_splitter->setStretchFactor(0, 1);
  m_splitter->setStretchFactor(1, 0);
  layout->addWidget(m_splitter);
  setCentralWidget(central);
  createStatusBar();

  resize(kRestoredWidth, kRestoredHeight);
  m_splitter->setSizes({kRestoredHeight, kLowerPaneHeight});
}

QWidget* TfrmVeskel::createBrowserArea() {
  auto* area = new QWidget;
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  m_addressField = new QLineEdit(area);
  m_addressField->setObjectName(QStringLiteral("edAddress"));
  m_addressField->setAccessibleName(QStringLiteral("Address"));
  m_addressField->setPlaceholderText(QStringLiteral("Address of a page (Ctrl+L)"));
  m_addressField->setClearButtonEnabled(true);
  layout->addWidget(m_addressField);
  layout->addWidget(m_browserPane->widget(), 1);
  // As in browsers: Ctrl+L takes the keyboard to the address.
  auto* focusAddress = new QShortcut(QKeySequence(QStringLiteral("Ctrl+L")), this);
  connect(focusAddress, &QShortcut::activated, this, [this] {
    m_addressField->setFocus(Qt::ShortcutFocusReason);
    m_addressField->selectAll();
  });
  return area;
}

QPushButton* TfrmVeskel::addButton(QWidget* panel, const char* name, const QString& caption,
                                   const QRect& geometry) {
  auto* button = new QPushButton(caption, panel);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

ToolPanel* TfrmVeskel::createNavigationPanel() {
  m_navigationPanel =
      new ToolPanel(QStringLiteral(u"Navigate - Navegación  -  Navigare"), kNavigationPanelWidth);
  m_navigationPanel->setObjectName(QStringLiteral("tpNavigate"));
  m_navigationPanel->setStyleSheet(look::buttonStyleSheet());
  QWidget* panel = m_navigationPanel->body();
  panel->setObjectName(QStringLiteral("AdvToolPanel2"));

  auto set = [this](WindowButton which, QPushButton* button) {
    m_buttons[static_cast<std::size_t>(which)] = button;
  };
  set(WindowButton::Back, addButton(panel, "btnBack", QStringLiteral("<<"), {12, 33, 45, 25}));
  set(WindowButton::Forward, addButton(panel, "btnnext", QStringLiteral(">>"), {66, 33, 45, 25}));
  set(WindowButton::OpenAustralia,
      addButton(panel, "btnYellAU", QStringLiteral("Yellow Australia"), buttonAt(68)));
  set(WindowButton::OpenCanada,
      addButton(panel, "btnYellCA", QStringLiteral("Yellow Canada"), buttonAt(99)));
  set(WindowButton::OpenSpain,
      addButton(panel, "btnAmarillas", QStringLiteral("Amarillas ES"), buttonAt(130)));
  set(WindowButton::OpenItaly,
      addButton(panel, "btnGialle", QStringLiteral("Gialle IT"), buttonAt(161)));

  auto* bevel = new QFrame(panel);
  bevel->setObjectName(QStringLiteral("Bevel1"));
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);
  bevel->setGeometry(kButtonLeft, 192, kButtonWidth, 7);

  set(WindowButton::CaptureAustralia,
      addButton(panel, "btnAustralia", QStringLiteral("Capture Australia"), buttonAt(211)));
  set(WindowButton::CaptureCanada,
      addButton(panel, "btncanada", QStringLiteral("Capture Canada"), buttonAt(238)));
  set(WindowButton::CaptureSpain,
      addButton(panel, "btncomer", QStringLiteral(u"Capturar España"), buttonAt(265)));
  set(WindowButton::CaptureItaly,
      addButton(panel, "btnItalia", QStringLiteral("Catturare Italia"), buttonAt(293)));
  set(WindowButton::CaptureAnySite,
      addButton(panel, "btnAnySite", QStringLiteral("Capture any site"), buttonAt(320)));
  button(WindowButton::CaptureAnySite)
      .setToolTip(
          QStringLiteral("Capture the listings that any site publishes as schema.org data"));
  m_stopButton = addButton(panel, "btnStop", QStringLiteral("Stop Capture!"), kStopAlone);
  m_stopButton->hide();
  m_continueButton = addButton(panel, "btnContinue", QStringLiteral("Continue"), kContinue);
  m_continueButton->setToolTip(
      QStringLiteral("The check in the page is passed: read this page and go on capturing"));
  m_continueButton->hide();
  m_teachButton = addButton(panel, "btnTeach", QStringLiteral(u"Teach this site…"), buttonAt(377));
  m_teachButton->setCheckable(true);
  m_teachButton->setToolTip(QStringLiteral(
      "Teach Quillon a directory by example, keep it as a profile, capture with it"));
  // Stop takes its place while a run goes (see setStopVisible).
  m_batchButton = addButton(panel, "btnBatch", QStringLiteral(u"Capture a list\nof searches…"),
                            {kButtonLeft, 346, kButtonWidth, 29});
  m_batchButton->setAccessibleName(QStringLiteral(u"Capture a list of searches…"));
  m_batchButton->setToolTip(
      QStringLiteral("Read many searches one after another into one table: a list of start "
                     "addresses, or a search template with a list of values"));
  return m_navigationPanel;
}

QWidget* TfrmVeskel::createLowerPane() {
  auto* pane = new QFrame;
  pane->setObjectName(QStringLiteral("Panel1"));
  pane->setFrameShape(QFrame::StyledPanel);
  pane->setFrameShadow(QFrame::Raised);
  pane->setMinimumHeight(60);
  auto* layout = new QHBoxLayout(pane);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(0);

  m_savePanel = new ToolPanel(QStringLiteral("Save - Guardar - Salvare"), kSavePanelWidth, pane);
  m_savePanel->setObjectName(QStringLiteral("AdvToolPanelTab1"));
  m_savePanel->setStyleSheet(look::buttonStyleSheet());
  m_savePanel->body()->setObjectName(QStringLiteral("tpControls"));
  QPushButton* save = addButton(m_savePanel->body(), "btnSave",
                                QStringLiteral("Guardar/Save/Salvare"), {10, 40, 99, 25});
  save->setFont(look::saveButtonFont());
  m_buttons[static_cast<std::size_t>(WindowButton::Save)] = save;
  layout->addWidget(m_savePanel);
  layout->addWidget(createOptionsPanel(pane));

  m_resultsView = new ResultsView(*m_model, *this, m_errors, pane);
  layout->addWidget(m_resultsView, 1);
  return pane;
}

ToolPanel* TfrmVeskel::createOptionsPanel(QWidget* parent) {
  m_optionsPanel =
      new ToolPanel(QStringLiteral("Options - Opciones - Opzioni"), kOptionsPanelWidth, parent);
  m_optionsPanel->setObjectName(QStringLiteral("tpOptions"));
  QWidget* body = m_optionsPanel->body();
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(8, 30, 8, 4);
  layout->setSpacing(4);
  m_findEmailsBox = new QCheckBox(QStringLiteral("Find e-mails on websites"), body);
  m_findEmailsBox->setObjectName(QStringLiteral("chkFindEmails"));
  m_findEmailsBox->setToolTip(
      QStringLiteral("Rows with a web address and no e-mail get the e-mail of that website"));
  m_skipImagesBox = new QCheckBox(QStringLiteral("Skip images while capturing"), body);
  m_skipImagesBox->setObjectName(QStringLiteral("chkSkipImages"));
  m_skipImagesBox->setToolTip(
      QStringLiteral("Result pages load without images, media and fonts during a run"));
  auto* lookupsRow = new QHBoxLayout;
  auto* lookupsLabel = new QLabel(QStringLiteral("E-mail lookups at once:"), body);
  m_lookupsBox = new QSpinBox(body);
  m_lookupsBox->setObjectName(QStringLiteral("spnLookups"));
  m_lookupsBox->setRange(1, 64);
  m_lookupsBox->setValue(m_lookupConcurrency);
  m_lookupsBox->setAccessibleName(lookupsLabel->text());
  lookupsLabel->setBuddy(m_lookupsBox);
  lookupsRow->addWidget(lookupsLabel);
  lookupsRow->addWidget(m_lookupsBox);
  auto* delayRow = new QHBoxLayout;
  auto* delayLabel = new QLabel(QStringLiteral("Wait between pages (s)"), body);
  m_delayBox = new QDoubleSpinBox(body);
  m_delayBox->setObjectName(QStringLiteral("spnDelay"));
  m_delayBox->setRange(0, 3600);
  m_delayBox->setDecimals(1);
  m_delayBox->setSingleStep(0.5);
  m_delayBox->setAccessibleName(delayLabel->text());
  m_delayBox->setToolTip(
      QStringLiteral("At least this long between two result pages, plus up to half of it"));
  delayLabel->setBuddy(m_delayBox);
  delayRow->addWidget(delayLabel);
  delayRow->addWidget(m_delayBox);
  m_proxyField = new QLineEdit(body);
  m_proxyField->setObjectName(QStringLiteral("edProxy"));
  m_proxyField->setAccessibleName(QStringLiteral("Proxy"));
  m_proxyField->setPlaceholderText(QStringLiteral("Proxy: http://host:port"));
  m_proxyField->setToolTip(
      QStringLiteral("Every page and fetch goes through it: http://[user:password@]host:port or "
                     "socks5://host:port; empty for none"));
  layout->addWidget(m_findEmailsBox);
  layout->addWidget(m_skipImagesBox);
  layout->addLayout(lookupsRow);
  layout->addLayout(delayRow);
  layout->addWidget(m_proxyField);
  layout->addStretch(1);
  return m_optionsPanel;
}

void TfrmVeskel::createStatusBar() {
  m_statusBar = new StatusBar(this);
  setStatusBar(m_statusBar);
}

void TfrmVeskel::connectHandlers() {
  auto onClick = [this](WindowButton which, auto handler) {
    connect(&button(which), &QPushButton::clicked, this, handler);
  };
  onClick(WindowButton::OpenSpain, [this] { openSite(kSpanishHome); });
  onClick(WindowButton::OpenItaly, [this] { openSite(kItalianHome); });
  onClick(WindowButton::OpenAustralia, [this] { openSite(kAustralianHome); });
  onClick(WindowButton::OpenCanada, [this] { openSite(kCanadianHome); });
  // No earlier or later page is no error worth a word.
  onClick(WindowButton::Back, [this] {
    try {
      browser().GoBack();
    } catch (...) {
    }
  });
  onClick(WindowButton::Forward, [this] {
    try {
      browser().GoForward();
    } catch (...) {
    }
  });
  onClick(WindowButton::CaptureSpain, [this] { btncomerClick(); });
  onClick(WindowButton::CaptureItaly, [this] { btnItaliaClick(); });
  onClick(WindowButton::CaptureAustralia, [this] { btnAustraliaClick(); });
  onClick(WindowButton::CaptureCanada, [this] { btncanadaClick(); });
  onClick(WindowButton::CaptureAnySite, [this] { btnAnySiteClick(); });
  connect(m_findEmailsBox, &QCheckBox::toggled, this,
          [this](bool on) { m_capture->setFindWebsiteEmails(on); });
  connect(m_lookupsBox, &QSpinBox::valueChanged, this,
          [this](int value) { m_lookupConcurrency = value; });
  connect(m_skipImagesBox, &QCheckBox::toggled, this, [this](bool on) { m_skipImages = on; });
  connect(m_delayBox, &QDoubleSpinBox::valueChanged, this, [this](double seconds) {
    m_capture->setPageDelay(std::chrono::milliseconds(std::llround(seconds * 1000)));
  });
  connect(m_proxyField, &QLineEdit::editingFinished, this,
          [this] { m_errors.guard([this] { proxyEntered(); }); });
  connect(m_addressField, &QLineEdit::returnPressed, this,
          [this] { m_errors.guard([this] { addressEntered(); }); });
  onClick(WindowButton::Save, [this] { m_errors.guard([this] { btnSaveClick(); }); });
  connect(m_teachButton, &QPushButton::clicked, this,
          [this] { m_errors.guard([this] { teachClick(); }); });
  connect(m_batchButton, &QPushButton::clicked, this,
          [this] { m_errors.guard([this] { batchClick(); }); });
  connect(m_stopButton, &QPushButton::clicked, this,
          [this] { m_errors.guard([this] { btnStopClick(); }); });
  connect(m_continueButton, &QPushButton::clicked, this,
          [this] { m_errors.guard([this] { btnContinueClick(); }); });
  connect(m_statusBar, &StatusBar::panelClicked, this,
          [this](int index) { m_errors.guard([this, index] { sbPanelClick(index); }); });
}

}  // namespace quillon::shell
