#include "shell/WindowTitle.h"

#include "base/Version.h"

namespace quillon::shell {

QString idleTitle() { return QStringLiteral("Quillon ") + QString::fromLatin1(kVersion); }

QString busyTitle() { return idleTitle() + QStringLiteral(" - please wait..."); }

QString downloadTitle() { return idleTitle() + QStringLiteral(" - Please wait..."); }

}  // namespace quillon::shell
