#pragma once

#include <QString>

#include <functional>
#include <string>

class QMenu;
class QWidget;

namespace quillon::capture {
class Browser;
}

namespace quillon::shell {

// The embedded browser as the window holds it: a widget for the layout and the browser
// interface that the buttons and capture runs drive. The real pane is Qt WebEngine's;
// tests give the window a fake one.
class BrowserPane {
 public:
  virtual ~BrowserPane() = default;

  // The widget that shows the page; the window's layout takes it over.
  virtual QWidget* widget() = 0;
  virtual capture::Browser& browser() = 0;
  // Keeps the page's images, media and fonts from loading, or lets them load again.
  virtual void setBlockHeavyResources(bool /*block*/) {}
  // The application's proxy has changed: the page's next load must go through the new one.
  virtual void proxyChanged() {}
  // Why the last page that finished loading did not load, in words ("HTTP status 404",
  // "host not found"); empty when it loaded.
  virtual std::string loadFailure() const { return {}; }

  // The text selected on the page (empty when there is none).
  virtual QString selectedText() const { return {}; }
  // Adds to the page's context menu, when text is selected, the actions that `extend` puts
  // in the menu it is given.
  using MenuExtension = std::function<void(QMenu& menu, const QString& selection)>;
  virtual void setContextMenuExtension(MenuExtension extend) { static_cast<void>(extend); }
};

}  // namespace quillon::shell
