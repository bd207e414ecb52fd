#pragma once

#include "profiles/Profile.h"
#include "profiles/ProfileStore.h"
#include "profiles/TeachSession.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace quillon::capture {
class Browser;
}

namespace quillon::shell {

class ErrorReport;
class ToolPanel;

// "Teach this site": the panel beside the page where the user teaches a site profile by
// example. Each of the ten fields and "Next page" takes the text selected on the page (its
// Take button, or the page's context menu); the panel shows at once how many listings the
// profile finds and its first rows. Save writes the profile to the profile folder; Capture
// with profile starts a run with the profile chosen in the list (the one taught here, or a
// saved one; the one whose hosts take the page's host is suggested). Its model is a
// profiles::TeachSession.
class TeachPanel final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPanelWidth = 340;
  static constexpr int kPreviewRows = 5;
  // The field index of "Next page", after the ten columns.
  static constexpr int kNextField = static_cast<int>(profiles::kColumnCount);

  struct Hooks {
    std::function<QString()> selectedText;                  // the page's selection
    std::function<void(const profiles::Profile&)> capture;  // starts a run
  };

  TeachPanel(capture::Browser& browser, ErrorReport& errors, Hooks hooks,
             QWidget* parent = nullptr);

  profiles::TeachSession& session() { return m_session; }
  // The captions of the fields: "Name", ..., "E-mail", "Next page".
  static QString fieldCaption(int field);

  // Reads the page shown; with no example given yet, takes those of the first card that
  // detection finds on it (the panel opens with the fields filled).
  void open();
  // Reads the page shown again (after a load, or before taking a value).
  void readPage();
  // Takes the page's selection as the field's value.
  void takeSelection(int field);
  // Sets a field as typing would.
  void setField(int field, const QString& text);
  // Writes the profile taught under the name given; returns its file.
  std::filesystem::path save();
  // Starts a run with the profile chosen in the list.
  void captureWithProfile();
  // Reads the profile folder again and suggests the profile for the page shown; a file that
  // does not read is left out of the list and named under it.
  void refreshProfiles();

  QLineEdit& fieldEdit(int field) const { return *m_edits[static_cast<std::size_t>(field)]; }
  // How many listings the field fills, beside it ("35 of 35").
  QLabel& fillLabel(int field) const { return *m_fills[static_cast<std::size_t>(field)]; }
  QLabel& statusLabel() const { return *m_status; }
  QTreeWidget& preview() const { return *m_preview; }
  QComboBox& profileList() const { return *m_profiles; }
  QLabel& profileProblems() const { return *m_profileProblems; }
  QLineEdit& nameEdit() const { return *m_name; }
  QPushButton& saveButton() const { return *m_save; }
  QPushButton& captureButton() const { return *m_capture; }

 private:
  QWidget* createFields();
  QWidget* createFooter();
  void showSession();
  std::optional<profiles::Profile> chosenProfile() const;

  capture::Browser& m_browser;
  ErrorReport& m_errors;
  Hooks m_hooks;
  profiles::TeachSession m_session;
  std::vector<profiles::StoredProfile> m_stored;
  ToolPanel* m_panel = nullptr;
  std::array<QLineEdit*, profiles::kColumnCount + 1> m_edits{};
  std::array<QLabel*, profiles::kColumnCount> m_fills{};
  QLabel* m_status = nullptr;
  QTreeWidget* m_preview = nullptr;
  QLineEdit* m_name = nullptr;
  QComboBox* m_profiles = nullptr;
  QLabel* m_profileProblems = nullptr;
  QPushButton* m_save = nullptr;
  QPushButton* m_capture = nullptr;
};

}  // namespace quillon::shell
