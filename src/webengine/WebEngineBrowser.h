#pragma once

#include "capture/Browser.h"
#include "capture/SnapshotScope.h"
#include "webengine/HeavyResourceFilter.h"

#include <QObject>
#include <QPointer>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::webengine {

// The browser interface over a Qt WebEngine page, with or without a view. Load events
// of the main frame become the download events; ReadyState is 4 only once the main
// frame has finished loading. Document() reads the page in one script evaluation.
class WebEngineBrowser final : public QObject, public capture::Browser {
  Q_OBJECT

 public:
  // Drives a page that someone else owns, such as the page of a visible view. Once that
  // page is destroyed the browser holds no document and Navigate throws.
  explicit WebEngineBrowser(QWebEnginePage* page, QObject* parent = nullptr);
  // Drives a page of its own, without a view.
  explicit WebEngineBrowser(QObject* parent = nullptr);
  ~WebEngineBrowser() override;

  QWebEnginePage* page() const { return m_page; }

  // How long Document() and a script address wait for the page to answer.
  void setScriptTimeout(std::chrono::milliseconds timeout) { m_scriptTimeout = timeout; }
  // Which texts Document() takes (by default what the capture reads).
  void setSnapshotScope(capture::SnapshotScope scope);
  // Whether the page's images, media and fonts are kept from loading (not by default). The
  // filter sits on the page's profile: other pages of that profile follow it too.
  void setBlockHeavyResources(bool block);

  // Waits, handling events, until ReadyState is 4 or the time-out passes; true when 4.
  bool waitUntilComplete(std::chrono::milliseconds timeout);
  // Whether the last main-frame load that finished succeeded.
  bool lastLoadSucceeded() const { return m_lastLoadOk; }
  // Why the last main-frame load failed, in words ("connection refused", "host not found",
  // "HTTP status 404"); empty when it did not fail or the engine gave no reason.
  const std::string& lastLoadError() const { return m_lastLoadError; }

  void Navigate(std::u16string_view url) override;
  void GoBack() override;
  void GoForward() override;
  int ReadyState() const override;
  // Throws CaptureError when the page does not answer within the script time-out or its
  // renderer process ends.
  std::shared_ptr<const capture::HtmlDocument> Document() override;
  std::u16string LocationURL() const override;
  int HttpStatus() const override { return m_httpStatus; }
  // Throws CaptureError as Document() does.
  std::string PageData() override;
  // These three throw CaptureError as Document() does.
  std::string ProfileData(std::string_view request) override;
  std::string PageTree() override;
  int ClickElements(std::string_view selector, std::string_view within, bool all) override;
  void AddListener(capture::BrowserListener& listener) override;
  void RemoveListener(capture::BrowserListener& listener) override;

 private:
  void connectPage();
  void requirePage() const;
  void handleLoadStarted();
  void handleLoadFinished(bool ok);
  void handleLoadingChanged(const QWebEngineLoadingInfo& info);
  void handleUrlChanged(const QUrl& url);
  void handleRenderProcessTerminated();
  void runScriptAddress(const QString& script);
  // Runs a script in the isolated world and waits for its text result; throws CaptureError
  // when the page does not answer within the script time-out or its renderer ends.
  QString evaluate(const std::u16string& script);
  template <typename Event>
  void notify(Event event);

  QPointer<QWebEnginePage> m_page;
  HeavyResourceFilter* m_filter = nullptr;
  QPointer<QWebEngineProfile> m_filterProfile;  // where the filter sits
  std::vector<capture::BrowserListener*> m_listeners;
  std::u16string m_snapshotScript;
  std::chrono::milliseconds m_scriptTimeout{30'000};
  bool m_navigationPending = false;
  QString m_withinPageTarget;  // the address of a move within the page, until it is made
  bool m_loaded = false;
  bool m_lastLoadOk = false;
  std::string m_lastLoadError;
  int m_httpStatus = 0;
  int m_rendererGeneration = 0;  // counts renderer ends, so a waiting read can notice one
};

}  // namespace quillon::webengine
