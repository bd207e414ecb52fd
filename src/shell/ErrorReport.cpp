#include "shell/ErrorReport.h"

#include "shell/Dialogs.h"
#include "text/Cp1252.h"

#include <QStringDecoder>

namespace quillon::shell {

QString errorBoxText(const QString& message) {
  if (!message.isEmpty() && message.back().unicode() <= u'.') return message;
  return message + u'.';
}

QString messageText(const std::exception& error) {
  const QByteArray bytes(error.what());
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8.decode(bytes);
  if (!utf8.hasError()) return decoded;
  return QString::fromStdU16String(text::cp1252ToUtf16(bytes.toStdString()));
}

void ErrorReport::reportCurrentException() noexcept {
  try {
    throw;
  } catch (const std::exception& error) {
    report(messageText(error));
  } catch (...) {
    report(QStringLiteral("Unknown error"));
  }
}

void ErrorReport::report(const QString& message) noexcept {
  try {
    m_dialogs.showError(QString::fromLatin1(kApplicationTitle), errorBoxText(message));
  } catch (...) {
    // Nothing is left to tell the user with; the program goes on.
  }
}

}  // namespace quillon::shell
