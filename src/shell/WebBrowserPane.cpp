#include "shell/WebBrowserPane.h"

#include "webengine/WebEngineBrowser.h"

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

}  // namespace quillon::shell
