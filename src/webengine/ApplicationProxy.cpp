#include "webengine/ApplicationProxy.h"

#include <QNetworkProxy>
#include <QString>

namespace quillon::webengine {

void useApplicationProxy(const std::optional<webfetch::ProxySetting>& proxy) {
  if (!proxy) {
    // Qt's default: the system's settings when the application asks for them, else none.
    QNetworkProxy::setApplicationProxy(QNetworkProxy());
    return;
  }
  const auto type = proxy->kind == webfetch::ProxySetting::Kind::Socks5
                        ? QNetworkProxy::Socks5Proxy
                        : QNetworkProxy::HttpProxy;
  // The engine answers the proxy's request for a login with these itself.
  QNetworkProxy::setApplicationProxy(QNetworkProxy(
      type, QString::fromStdString(proxy->host), static_cast<quint16>(proxy->port),
      QString::fromStdString(proxy->user), QString::fromStdString(proxy->password)));
}

}  // namespace quillon::webengine
