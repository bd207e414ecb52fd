#include "webengine/ApplicationProxy.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>

namespace quillon::webengine {

void useApplicationProxy(const std::optional<webfetch::ProxySetting>& proxy) {
  if (!proxy) {
    // Qt's default: the system's settings when the application asks for them, else none.
    QNetworkProxy::setApplicationProxy(QNetworkProxy());
    return;
  }
  const auto type = proxy->kind == webfetch::ProxySetting::Kind::Socks5 ? QNetworkProxy::Socks5Proxy
                                                                        : QNetworkProxy::HttpProxy;
  // The engine answers the proxy's request for a login with these itself.
  QNetworkProxy::setApplicationProxy(
      QNetworkProxy(type, QString::fromStdString(proxy->host), static_cast<quint16>(proxy->port),
                    QString::fromStdString(proxy->user), QString::fromStdString(proxy->password)));
}

}  // namespace quillon::webengine

namespace quillon::webengine {

void takeApplicationProxy(QWebEngineProfile* profile) {
  if (profile == nullptr) return;
  QWebEnginePage page(profile);
  QEventLoop loop;
  QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
  QTimer::singleShot(2000, &loop, &QEventLoop::quit);
  // Port 9 is one the engine never connects to: the load asks for the proxy and ends at once.
  page.load(QUrl(QStringLiteral("http://127.0.0.1:9/")));
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace quillon::webengine
