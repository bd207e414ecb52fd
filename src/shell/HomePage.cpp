#include "shell/HomePage.h"

#include "base/Installation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace quillon::shell {

QString homePageFilePath(const QString& applicationDir) {
  const QDir executableDir(applicationDir);
  const QString name = QString::fromLatin1(kHomePageFileName);
  const QString beside = executableDir.filePath(name);
  if (QFileInfo::exists(beside)) return beside;
  const QDir dataDir(executableDir.filePath(QString::fromLatin1(kDataDirFromBinDir)));
  const QString installed = QDir::cleanPath(dataDir.filePath(name));
  if (QFileInfo::exists(installed)) return installed;
  // Neither: the browser then says which file it did not find, at the usual place.
  return beside;
}

QString homePageFilePath() { return homePageFilePath(QCoreApplication::applicationDirPath()); }

QString fileAddress(const QString& path) { return QUrl::fromLocalFile(path).toString(); }

}  // namespace quillon::shell
