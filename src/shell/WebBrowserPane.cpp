#include "shell/WebBrowserPane.h"

#include "capture/PageAnswer.h"
#include "webengine/ApplicationProxy.h"
#include "webengine/WebEngineBrowser.h"

#include <QMenu>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace quillon::shell {

WebBrowserPane::WebBrowserPane()
    : m_view(new QWebEngineView),
      m_browser(std::make_unique<webengine::WebEngineBrowser>(m_view->page())) {
  m_view->setObjectName(QStringLiteral("WebBrowser1"));
}

WebBrowserPane::~WebBrowserPane() {
  m_browser.reset();
  // Once in a layout the view belongs to the window; before that it is ours.
  if (m_view != nullptr && m_view->parent() == nullptr) delete m_view;
}

QWidget* WebBrowserPane::widget() { return m_view; }

capture::Browser& WebBrowserPane::browser() { return *m_browser; }

void WebBrowserPane::setBlockHeavyResources(bool block) {
  m_browser->setBlockHeavyResources(block);
}

void WebBrowserPane::proxyChanged() {
  if (m_view != nullptr) webengine::takeApplicationProxy(m_view->page()->profile());
}

std::string WebBrowserPane::loadFailure() const {
  // The engine reports a page that answers with an error status as loaded.
  const std::string& reason = m_browser->lastLoadError();
  if (m_browser->lastLoadSucceeded() && !reason.starts_with("HTTP status ")) return {};
  // A refusal or a check for a person is the run's to tell of.
  if (capture::runAnswersStatus(m_browser->HttpStatus())) return {};
  return reason.empty() ? std::string("the page did not load") : reason;
}

QString WebBrowserPane::selectedText() const { return m_view ? m_view->selectedText() : QString(); }

void WebBrowserPane::setContextMenuExtension(MenuExtension extend) {
  m_extendMenu = std::move(extend);
  m_view->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(m_view, &QWidget::customContextMenuRequested, m_view, [this](const QPoint& at) {
    QMenu* menu = m_view->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QString selection = m_view->selectedText();
    if (m_extendMenu && !selection.trimmed().isEmpty()) {
      menu->addSeparator();
      m_extendMenu(*menu, selection);
    }
    menu->popup(m_view->mapToGlobal(at));
  });
}

}  // namespace quillon::shell
