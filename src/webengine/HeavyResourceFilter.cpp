#include "webengine/HeavyResourceFilter.h"

namespace quillon::webengine {

void HeavyResourceFilter::interceptRequest(QWebEngineUrlRequestInfo& info) {
  if (!m_blocking) return;
  switch (info.resourceType()) {
    case QWebEngineUrlRequestInfo::ResourceTypeImage:
    case QWebEngineUrlRequestInfo::ResourceTypeMedia:
    case QWebEngineUrlRequestInfo::ResourceTypeFontResource:
    case QWebEngineUrlRequestInfo::ResourceTypeFavicon:
      info.block(true);
      break;
    default:
      break;
  }
}

}  // namespace quillon::webengine
