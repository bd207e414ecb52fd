#include "shell/TeachPanel.h"

#include "capture/Browser.h"
#include "capture/ProfileTeaching.h"
#include "profiles/ProfileError.h"
#include "profiles/ProfileFile.h"
#include "shell/ErrorReport.h"
#include "shell/OfficeLook.h"
#include "shell/ToolPanel.h"
#include "text/Utf8.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <filesystem>

namespace quillon::shell {
namespace {

constexpr std::array<const char*, TeachPanel::kNextField + 1> kCaptions = {
    "Name",     "Activity", "Fax", "Telephone", "Street",   "Postal code",
    "Locality", "Province", "Web", "E-mail",    "Next page"};

// The preview's columns: name, telephone, locality.
constexpr std::array<profiles::Column, 3> kPreviewColumns = {
    profiles::Column::Name, profiles::Column::Telephone, profiles::Column::Locality};

QString fromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TeachPanel::TeachPanel(capture::Browser& browser, ErrorReport& errors, Hooks hooks, QWidget* parent)
    : QWidget(parent), m_browser(browser), m_errors(errors), m_hooks(std::move(hooks)) {
  setObjectName(QStringLiteral("tpTeach"));
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  m_panel = new ToolPanel(QStringLiteral("Teach this site"), kPanelWidth, this);
  m_panel->setStyleSheet(look::buttonStyleSheet());
  outer->addWidget(m_panel);
  auto* layout = new QVBoxLayout(m_panel->body());
  layout->setContentsMargins(6, ToolPanel::kCaptionHeight + 4, 6, 6);
  layout->setSpacing(4);
  auto* hint = new QLabel(
      QStringLiteral("Select a value of one listing on the page, then press Take selection "
                     "beside its field (or right-click it: Use as…)."),
      m_panel->body());
  hint->setWordWrap(true);
  layout->addWidget(hint);
  layout->addWidget(createFields());
  m_status = new QLabel(m_panel->body());
  m_status->setObjectName(QStringLiteral("teachStatus"));
  m_status->setWordWrap(true);
  layout->addWidget(m_status);
  m_preview = new QTreeWidget(m_panel->body());
  m_preview->setObjectName(QStringLiteral("teachPreview"));
  m_preview->setRootIsDecorated(false);
  m_preview->setHeaderLabels(
      {QStringLiteral("Name"), QStringLiteral("Telephone"), QStringLiteral("Locality")});
  m_preview->header()->setStretchLastSection(true);
  m_preview->setMinimumHeight(90);
  layout->addWidget(m_preview, 1);
  layout->addWidget(createFooter());
  showSession();
}

QString TeachPanel::fieldCaption(int field) {
  return QString::fromLatin1(kCaptions[static_cast<std::size_t>(field)]);
}

QWidget* TeachPanel::createFields() {
  auto* box = new QWidget(m_panel->body());
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(2);
  for (int field = 0; field <= kNextField; ++field) {
    auto* label = new QLabel(fieldCaption(field), box);
    auto* edit = new QLineEdit(box);
    edit->setObjectName(QStringLiteral("teachField%1").arg(field));
    edit->setAccessibleName(fieldCaption(field));
    edit->setClearButtonEnabled(true);
    auto* take = new QPushButton(QStringLiteral("Take selection"), box);
    take->setObjectName(QStringLiteral("teachTake%1").arg(field));
    take->setToolTip(QStringLiteral("Take the text selected on the page as ") +
                     fieldCaption(field));
    take->setFocusPolicy(Qt::TabFocus);
    grid->addWidget(label, field, 0);
    grid->addWidget(edit, field, 1);
    grid->addWidget(take, field, 2);
    m_edits[static_cast<std::size_t>(field)] = edit;
    if (field < kNextField) {
      auto* fills = new QLabel(box);
      fills->setObjectName(QStringLiteral("teachFills%1").arg(field));
      fills->setToolTip(QStringLiteral("How many of the page's listings the field fills"));
      grid->addWidget(fills, field, 3);
      m_fills[static_cast<std::size_t>(field)] = fills;
    }
    connect(take, &QPushButton::clicked, this,
            [this, field] { m_errors.guard([this, field] { takeSelection(field); }); });
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
      m_errors.guard([this, field, &text] { setField(field, text); });
    });
  }
  return box;
}

QWidget* TeachPanel::createFooter() {
  auto* box = new QWidget(m_panel->body());
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(4);
  m_name = new QLineEdit(box);
  m_name->setObjectName(QStringLiteral("teachProfileName"));
  m_name->setPlaceholderText(QStringLiteral("Profile name (the site's host)"));
  m_save = new QPushButton(QStringLiteral("Save"), box);
  m_save->setObjectName(QStringLiteral("teachSave"));
  m_profiles = new QComboBox(box);
  m_profiles->setObjectName(QStringLiteral("teachProfiles"));
  m_profileProblems = new QLabel(box);
  m_profileProblems->setObjectName(QStringLiteral("teachProfileProblems"));
  m_profileProblems->setWordWrap(true);
  m_profileProblems->hide();
  m_capture = new QPushButton(QStringLiteral("Capture with profile"), box);
  m_capture->setObjectName(QStringLiteral("teachCapture"));
  grid->addWidget(m_name, 0, 0);
  grid->addWidget(m_save, 0, 1);
  grid->addWidget(m_profiles, 1, 0, 1, 2);
  grid->addWidget(m_profileProblems, 2, 0, 1, 2);
  grid->addWidget(m_capture, 3, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  connect(m_save, &QPushButton::clicked, this, [this] { m_errors.guard([this] { save(); }); });
  connect(m_capture, &QPushButton::clicked, this,
          [this] { m_errors.guard([this] { captureWithProfile(); }); });
  return box;
}

void TeachPanel::open() {
  readPage();
  const bool untouched =
      std::all_of(m_session.examples().values.begin(), m_session.examples().values.end(),
                  [](const std::string& value) { return value.empty(); });
  if (untouched && m_session.examples().nextText.empty()) {
    m_session.detectExamples();
    showSession();
  }
}

void TeachPanel::readPage() {
  m_session.setPage(profiles::decodePageTree(m_browser.PageTree()));
  refreshProfiles();
  showSession();
}

void TeachPanel::takeSelection(int field) {
  const QString selection = m_hooks.selectedText ? m_hooks.selectedText() : QString();
  // The page may have changed since it was read (a "Show phone" button clicked).
  readPage();
  setField(field, selection.simplified());
}

void TeachPanel::setField(int field, const QString& text) {
  QLineEdit& edit = fieldEdit(field);
  if (edit.text() != text) edit.setText(text);
  if (field == kNextField) {
    m_session.setNextText(text.toStdString());
  } else {
    m_session.setExample(profiles::columnAt(static_cast<std::size_t>(field)), text.toStdString());
  }
  showSession();
}

void TeachPanel::showSession() {
  // The fields show the examples, those that detection gave too.
  for (std::size_t i = 0; i < profiles::kColumnCount; ++i) {
    const QString value = fromUtf8(m_session.examples().values[i]);
    if (fieldEdit(static_cast<int>(i)).text() != value)
      fieldEdit(static_cast<int>(i)).setText(value);
  }
  m_status->setText(fromUtf8(m_session.status()));
  for (std::size_t i = 0; i < m_fills.size(); ++i) {
    m_fills[i]->setText(fromUtf8(m_session.fillText(profiles::columnAt(i))));
  }
  m_preview->clear();
  for (const structured::Listing& row : m_session.preview(kPreviewRows)) {
    QStringList cells;
    for (const profiles::Column column : kPreviewColumns) cells << fromUtf8(row[column]);
    m_preview->addTopLevelItem(new QTreeWidgetItem(cells));
  }
  m_save->setEnabled(m_session.ready());
  m_capture->setEnabled(m_session.ready() || m_profiles->currentIndex() > 0);
}

std::filesystem::path TeachPanel::save() {
  const profiles::Profile profile = m_session.profile(m_name->text().toStdString());
  const std::filesystem::path folder = profiles::profileFolder();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    throw profiles::ProfileError("the profile folder " + folder.string() +
                                 " cannot be made: " + error.message());
  }
  const std::filesystem::path file = profiles::profileFileFor(profile.name, folder);
  profiles::saveProfileFile(profile, file);
  m_name->setText(fromUtf8(profile.name));
  refreshProfiles();
  m_status->setText(fromUtf8(m_session.status() + " Saved as " + file.string() + "."));
  return file;
}

std::optional<profiles::Profile> TeachPanel::chosenProfile() const {
  const int index = m_profiles->currentIndex();
  if (index > 0 && static_cast<std::size_t>(index - 1) < m_stored.size()) {
    return m_stored[static_cast<std::size_t>(index - 1)].profile;
  }
  if (!m_session.ready()) return std::nullopt;
  return m_session.profile(m_name->text().toStdString());
}

void TeachPanel::captureWithProfile() {
  const auto profile = chosenProfile();
  if (!profile) throw profiles::ProfileError("the examples make no profile yet");
  if (m_hooks.capture) m_hooks.capture(*profile);
}

void TeachPanel::refreshProfiles() {
  const QString previous = m_profiles->currentText();
  profiles::ProfileShelf shelf = profiles::readShelf(profiles::profileFolder());
  m_stored = std::move(shelf.profiles);
  QString skipped;
  for (const std::string& problem : shelf.problems) {
    skipped += QStringLiteral("\n") + fromUtf8(problem);
  }
  m_profileProblems->setText(
      (shelf.problems.size() == 1
           ? QStringLiteral("A saved profile does not read and is left out:")
           : QStringLiteral("%1 saved profiles do not read and are left out:")
                 .arg(shelf.problems.size())) +
      skipped);
  m_profileProblems->setVisible(!shelf.problems.empty());
  m_profiles->clear();
  m_profiles->addItem(QStringLiteral("The profile taught here"));
  const std::string host = capture::profileHost(text::utf16ToUtf8(m_browser.LocationURL()));
  const profiles::StoredProfile* suggested = profiles::suggestedProfile(m_stored, host);
  int suggestion = 0;
  for (std::size_t i = 0; i < m_stored.size(); ++i) {
    QString caption = fromUtf8(m_stored[i].profile.name);
    if (&m_stored[i] == suggested) {
      caption += QStringLiteral(" (for this site)");
      suggestion = static_cast<int>(i) + 1;
    }
    m_profiles->addItem(caption);
  }
  const int kept = m_profiles->findText(previous);
  m_profiles->setCurrentIndex(suggestion > 0 ? suggestion : std::max(kept, 0));
  m_capture->setEnabled(m_session.ready() || m_profiles->currentIndex() > 0);
}

}  // namespace quillon::shell
