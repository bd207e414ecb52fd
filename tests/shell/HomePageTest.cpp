#include "base/Installation.h"
#include "shell/HomePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quillon::shell {
namespace {

// An installed tree in a scratch folder: the executables' folder and the data folder.
class HomePage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(prefix.isValid());
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
  }
  QString binDir() const { return prefix.filePath(QStringLiteral("bin")); }
  QString besidePath() const { return binDir() + QStringLiteral("/Quillon.htm"); }
  QString installedPath() const {
    return QDir::cleanPath(binDir() + QLatin1Char('/') + QString::fromLatin1(kDataDirFromBinDir) +
                           QStringLiteral("/Quillon.htm"));
  }
  static void createFile(const QString& path) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }

  QTemporaryDir prefix;
};

TEST_F(HomePage, IsFoundInTheInstalledDataFolder) {
  createFile(installedPath());
  EXPECT_TRUE(installedPath().startsWith(prefix.path() + QLatin1Char('/')));
  EXPECT_EQ(homePageFilePath(binDir()), installedPath());
}

TEST_F(HomePage, BesideTheExecutableComesFirst) {
  createFile(installedPath());
  createFile(besidePath());
  EXPECT_EQ(homePageFilePath(binDir()), besidePath());
}

TEST_F(HomePage, IsLookedForBesideTheExecutableWhenThereIsNone) {
  EXPECT_EQ(homePageFilePath(binDir()), besidePath());
}

}  // namespace
}  // namespace quillon::shell
