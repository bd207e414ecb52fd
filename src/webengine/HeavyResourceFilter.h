#pragma once

#include <QWebEngineUrlRequestInterceptor>

#include <atomic>

namespace quillon::webengine {

// Keeps a page's images, media and fonts from loading while it blocks: a capture reads text,
// links and classes, so pages come sooner and lighter without them, with the same texts.
class HeavyResourceFilter final : public QWebEngineUrlRequestInterceptor {
 public:
  explicit HeavyResourceFilter(QObject* parent = nullptr)
      : QWebEngineUrlRequestInterceptor(parent) {}

  void setBlocking(bool blocking) { m_blocking = blocking; }
  bool blocking() const { return m_blocking; }

  void interceptRequest(QWebEngineUrlRequestInfo& info) override;

 private:
  std::atomic<bool> m_blocking{false};
};

}  // namespace quillon::webengine
