#include "shell/HomePage.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

namespace quillon::shell {

QString homePageFilePath() {
  return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QDir::separator()) +
         QString::fromLatin1(kHomePageFileName);
}

QString fileAddress(const QString& path) { return QUrl::fromLocalFile(path).toString(); }

}  // namespace quillon::shell
