#include "webengine/WebEngineBrowser.h"

#include "capture/CaptureError.h"
#include "capture/DomSnapshot.h"
#include "webengine/PageDataScript.h"
#include "webengine/ProfileScripts.h"
#include "webengine/SnapshotScript.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QTimer>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>

#include <algorithm>

namespace quillon::webengine {
namespace {

constexpr int kReadyStateUninitialized = 0;
constexpr int kReadyStateLoading = 1;
// Chromium's net::ERR_PROXY_CONNECTION_FAILED.
constexpr int kProxyConnectionFailed = -130;

QString toQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// The engine's reason for a failed load in a user's words.
std::string loadErrorText(const QWebEngineLoadingInfo& info) {
  switch (info.errorDomain()) {
    case QWebEngineLoadingInfo::NoErrorDomain:
      return {};
    case QWebEngineLoadingInfo::HttpStatusCodeDomain:
      // The engine reports every status here, 200 too.
      if (info.errorCode() < 400) return {};
      return "HTTP status " + std::to_string(info.errorCode());
    case QWebEngineLoadingInfo::DnsErrorDomain:
      return "host not found";
    case QWebEngineLoadingInfo::ConnectionErrorDomain:
      if (info.errorCode() == kProxyConnectionFailed) {
        const QNetworkProxy proxy = QNetworkProxy::applicationProxy();
        return "the proxy " + proxy.hostName().toStdString() + ":" + std::to_string(proxy.port()) +
               " refused the connection";
      }
      break;
    default:
      break;
  }
  // Chromium's names, such as "net::ERR_CONNECTION_REFUSED": "connection refused".
  QString text = info.errorString();
  text.remove(QStringLiteral("net::"));
  if (text.startsWith(QLatin1String("ERR_"))) text.remove(0, 4);
  text.replace(QLatin1Char('_'), QLatin1Char(' '));
  text = text.toLower();
  if (text == QLatin1String("name not resolved")) return "host not found";
  return text.toStdString();
}

bool isScriptAddress(const QString& url) {
  return url.startsWith(QLatin1String("javascript:"), Qt::CaseInsensitive);
}

}  // namespace

WebEngineBrowser::WebEngineBrowser(QWebEnginePage* page, QObject* parent)
    : QObject(parent), m_page(page) {
  m_loaded = !page->url().isEmpty();
  m_lastLoadOk = m_loaded;
  setSnapshotScope(capture::SnapshotScope::forCapture());
  connectPage();
}

WebEngineBrowser::WebEngineBrowser(QObject* parent)
    : WebEngineBrowser(new QWebEnginePage(), parent) {
  // Owned from here on; it could not be given this as parent before this existed.
  m_page->setParent(this);
}

WebEngineBrowser::~WebEngineBrowser() {
  // The profile outlives this browser; it must not call a filter that is gone.
  if (m_filterProfile) m_filterProfile->setUrlRequestInterceptor(nullptr);
  // Listeners may already be gone; the page's last signals (it may die after this body,
  // as a child) must not reach them.
  m_listeners.clear();
  if (m_page) m_page->disconnect(this);
}

void WebEngineBrowser::setBlockHeavyResources(bool block) {
  if (m_filter == nullptr) {
    if (!block || !m_page) return;
    m_filter = new HeavyResourceFilter(this);
    m_filterProfile = m_page->profile();
    m_filterProfile->setUrlRequestInterceptor(m_filter);
  }
  m_filter->setBlocking(block);
}

void WebEngineBrowser::setSnapshotScope(capture::SnapshotScope scope) {
  m_snapshotScript = snapshotScript(scope);
}

void WebEngineBrowser::connectPage() {
  connect(m_page, &QWebEnginePage::loadStarted, this, &WebEngineBrowser::handleLoadStarted);
  connect(m_page, &QWebEnginePage::loadFinished, this, &WebEngineBrowser::handleLoadFinished);
  connect(m_page, &QWebEnginePage::loadingChanged, this, &WebEngineBrowser::handleLoadingChanged);
  connect(m_page, &QWebEnginePage::urlChanged, this, &WebEngineBrowser::handleUrlChanged);
  connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
          &WebEngineBrowser::handleRenderProcessTerminated);
}

template <typename Event>
void WebEngineBrowser::notify(Event event) {
  // A listener may remove itself (or another) while it is told.
  const auto listeners = m_listeners;
  for (capture::BrowserListener* listener : listeners) {
    if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end()) {
      event(*listener);
    }
  }
}

void WebEngineBrowser::handleLoadStarted() {
  m_navigationPending = false;
  m_withinPageTarget.clear();
  notify([](capture::BrowserListener& l) { l.DownloadBegin(); });
}

void WebEngineBrowser::handleLoadFinished(bool ok) {
  m_navigationPending = false;
  m_loaded = true;
  m_lastLoadOk = ok;
  const std::u16string url = m_page->url().toString().toStdU16String();
  notify([](capture::BrowserListener& l) { l.DownloadComplete(); });
  notify([&url](capture::BrowserListener& l) { l.DocumentComplete(url); });
}

void WebEngineBrowser::handleLoadingChanged(const QWebEngineLoadingInfo& info) {
  if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
    m_lastLoadError.clear();
    m_httpStatus = 0;
  } else if (info.status() != QWebEngineLoadingInfo::LoadStoppedStatus) {
    m_lastLoadError = loadErrorText(info);
    // The engine gives the status of every answer in this domain, 200 too, and the page of
    // an error status is still the site's own when it sent one.
    if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain) {
      m_httpStatus = info.errorCode();
    }
  }
}

void WebEngineBrowser::handleRenderProcessTerminated() { ++m_rendererGeneration; }

void WebEngineBrowser::Navigate(std::u16string_view url) {
  requirePage();
  const QString address = toQString(url);
  if (isScriptAddress(address)) {
    runScriptAddress(QUrl::fromPercentEncoding(address.mid(11).toUtf8()));
    return;
  }
  const QUrl target(address);
  if (!target.isValid() || target.isRelative()) {
    throw capture::CaptureError("Invalid address: " + address.toStdString());
  }
  // A move within the page shown (only the fragment changes) loads nothing: the engine
  // reports no load for it, only the new address, and that completes it.
  const bool withinPage =
      m_loaded && target.hasFragment() &&
      target.adjusted(QUrl::RemoveFragment) == m_page->url().adjusted(QUrl::RemoveFragment);
  m_withinPageTarget = withinPage ? target.toString() : QString();
  // Until the engine reports the start of the load (or the move), the old page must not
  // pass for the complete new one.
  m_navigationPending = true;
  m_page->load(target);
}

void WebEngineBrowser::handleUrlChanged(const QUrl& url) {
  if (!m_navigationPending || m_withinPageTarget.isEmpty()) return;
  if (url.toString() != m_withinPageTarget) return;
  m_navigationPending = false;
  m_withinPageTarget.clear();
  const std::u16string address = url.toString().toStdU16String();
  notify([&address](capture::BrowserListener& l) { l.DocumentComplete(address); });
}

void WebEngineBrowser::requirePage() const {
  // A page given from outside may go first (a view that was given another page).
  if (!m_page) throw capture::CaptureError("The browser has no page any more");
}

void WebEngineBrowser::runScriptAddress(const QString& script) {
  // The script counts as a download until the page has run it, so the phone reveal
  // waits for it.
  notify([](capture::BrowserListener& l) { l.DownloadBegin(); });
  QPointer<WebEngineBrowser> self(this);
  m_page->runJavaScript(script, QWebEngineScript::MainWorld, [self](const QVariant&) {
    if (self) self->notify([](capture::BrowserListener& l) { l.DownloadComplete(); });
  });
}

void WebEngineBrowser::GoBack() {
  if (!m_page || !m_page->history()->canGoBack()) return;
  m_navigationPending = true;
  m_page->triggerAction(QWebEnginePage::Back);
}

void WebEngineBrowser::GoForward() {
  if (!m_page || !m_page->history()->canGoForward()) return;
  m_navigationPending = true;
  m_page->triggerAction(QWebEnginePage::Forward);
}

int WebEngineBrowser::ReadyState() const {
  if (!m_page) return kReadyStateUninitialized;
  if (m_navigationPending || m_page->isLoading()) return kReadyStateLoading;
  return m_loaded ? kReadyStateComplete : kReadyStateUninitialized;
}

bool WebEngineBrowser::waitUntilComplete(std::chrono::milliseconds timeout) {
  requirePage();
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (ReadyState() != kReadyStateComplete) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    // Woken by the end of a load, and at least every 50 ms in case a state change
    // comes without one.
    QEventLoop loop;
    QTimer::singleShot(std::min(left, std::chrono::milliseconds(50)), &loop, &QEventLoop::quit);
    connect(m_page, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

QString WebEngineBrowser::evaluate(const std::u16string& script) {
  // Shared with the callback, which may arrive after this call has given up.
  struct Reply {
    bool done = false;
    QString data;
    QEventLoop* loop = nullptr;
  };
  auto reply = std::make_shared<Reply>();
  m_page->runJavaScript(toQString(script), QWebEngineScript::ApplicationWorld,
                        [reply](const QVariant& result) {
                          reply->done = true;
                          reply->data = result.toString();
                          if (reply->loop != nullptr) reply->loop->quit();
                        });
  const int generation = m_rendererGeneration;
  const auto deadline = std::chrono::steady_clock::now() + m_scriptTimeout;
  while (!reply->done && generation == m_rendererGeneration) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    // User input waits: the read must not let clicks change the page under it.
    QEventLoop loop;
    reply->loop = &loop;
    QTimer::singleShot(std::min(left, std::chrono::milliseconds(100)), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    reply->loop = nullptr;
  }
  if (!reply->done) {
    if (generation != m_rendererGeneration) {
      throw capture::CaptureError("The page's renderer process ended while it was read");
    }
    throw capture::CaptureError("The page did not answer in time (" +
                                std::to_string(m_scriptTimeout.count()) + " ms)");
  }
  return reply->data;
}

std::shared_ptr<const capture::HtmlDocument> WebEngineBrowser::Document() {
  if (!m_page || (!m_loaded && m_page->url().isEmpty())) return nullptr;
  return capture::DomSnapshot::parse(evaluate(m_snapshotScript).toStdU16String());
}

std::u16string WebEngineBrowser::LocationURL() const {
  return m_page ? m_page->url().toString().toStdU16String() : std::u16string();
}

std::string WebEngineBrowser::PageData() {
  requirePage();
  static const std::u16string script = pageDataScript();
  return evaluate(script).toStdString();
}

std::string WebEngineBrowser::ProfileData(std::string_view request) {
  requirePage();
  return evaluate(profileDataScript(request)).toStdString();
}

std::string WebEngineBrowser::PageTree() {
  requirePage();
  static const std::u16string script = pageTreeScript();
  return evaluate(script).toStdString();
}

int WebEngineBrowser::ClickElements(std::string_view selector, std::string_view within, bool all) {
  requirePage();
  return evaluate(clickScript(selector, within, all)).toInt();
}

void WebEngineBrowser::AddListener(capture::BrowserListener& listener) {
  m_listeners.push_back(&listener);
}

void WebEngineBrowser::RemoveListener(capture::BrowserListener& listener) {
  m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), &listener),
                    m_listeners.end());
}

}  // namespace quillon::webengine
