#include "shell/LinkText.h"

namespace quillon::shell {
namespace {

const QString kSchemeSeparator = QStringLiteral("://");
const QString kMailto = QStringLiteral("mailto:");

}  // namespace

bool isLinkText(const QString& text) {
  return (text.contains(kSchemeSeparator) || text.contains(kMailto)) &&
         !text.contains(QStringLiteral("</"));
}

QString linkDisplayText(const QString& text) {
  const qsizetype separator = text.indexOf(kSchemeSeparator);
  const qsizetype mailto = text.indexOf(kMailto);
  if (separator < 0 && mailto < 0) return text;
  if (mailto < 0 || (separator >= 0 && separator < mailto)) {
    return text.mid(separator + kSchemeSeparator.size());
  }
  return text.mid(mailto + kMailto.size());
}

std::optional<QUrl> linkToOpen(const QString& text) {
  if (!isLinkText(text)) return std::nullopt;
  const QUrl url(text.trimmed(), QUrl::StrictMode);
  if (!url.isValid()) return std::nullopt;
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("mailto")) {
    if (url.path().isEmpty()) return std::nullopt;
    return url;
  }
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
      scheme == QLatin1String("ftp")) {
    if (url.host().isEmpty()) return std::nullopt;
    return url;
  }
  return std::nullopt;
}

}  // namespace quillon::shell
