// The window's teach panel: its place beside the page, its button and the page's context menu.

#include "capture/CaptureController.h"
#include "shell/BrowserPane.h"
#include "shell/TeachPanel.h"
#include "shell/TfrmVeskel.h"

#include <QMenu>
#include <QPushButton>

namespace quillon::shell {

QWidget* TfrmVeskel::createTeachPanel() {
  TeachPanel::Hooks hooks;
  hooks.selectedText = [this] { return m_browserPane->selectedText(); };
  hooks.capture = [this](const profiles::Profile& profile) { captureWithProfile(profile); };
  m_teachPanel = new TeachPanel(browser(), m_errors, std::move(hooks));
  m_teachPanel->hide();
  m_browserPane->setContextMenuExtension(
      [this](QMenu& menu, const QString& selection) { addSelectionActions(menu, selection); });
  return m_teachPanel;
}

void TfrmVeskel::addSelectionActions(QMenu& menu, const QString& selection) {
  if (!m_teachPanel->isVisible()) return;
  for (int field = 0; field <= TeachPanel::kNextField; ++field) {
    QAction* action = menu.addAction(QStringLiteral("Use as ") + TeachPanel::fieldCaption(field));
    connect(action, &QAction::triggered, this, [this, field, selection] {
      m_errors.guard([this, field, &selection] {
        m_teachPanel->readPage();
        m_teachPanel->setField(field, selection.simplified());
      });
    });
  }
}

void TfrmVeskel::teachClick() {
  const bool show = !m_teachPanel->isVisible();
  m_teachPanel->setVisible(show);
  m_teachButton->setChecked(show);
  if (show) m_teachPanel->open();
}

void TfrmVeskel::captureWithProfile(const profiles::Profile& profile) {
  runCapture([&] { m_capture->captureWithProfile(profile); });
}

}  // namespace quillon::shell
