#pragma once

#include "shell/BrowserPane.h"

#include <QPointer>

#include <memory>

class QWebEngineView;

namespace quillon::webengine {
class WebEngineBrowser;
}

namespace quillon::shell {

// The browser pane over Qt WebEngine: a visible view whose page the browser adapter
// drives.
class WebBrowserPane final : public BrowserPane {
 public:
  WebBrowserPane();
  ~WebBrowserPane() override;

  QWidget* widget() override;
  capture::Browser& browser() override;
  void setBlockHeavyResources(bool block) override;
  void proxyChanged() override;
  std::string loadFailure() const override;
  QString selectedText() const override;
  void setContextMenuExtension(MenuExtension extend) override;
  webengine::WebEngineBrowser& webBrowser() { return *m_browser; }

 private:
  QPointer<QWebEngineView> m_view;
  std::unique_ptr<webengine::WebEngineBrowser> m_browser;
  MenuExtension m_extendMenu;
};

}  // namespace quillon::shell
