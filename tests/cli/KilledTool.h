#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <gtest/gtest.h>

namespace quillon::cli::testing {

// The quillon-cli of this build, run as a real process where a test kills it.
inline const QString kTool = QStringLiteral(QUILLON_BINARY_DIR "/src/quillon-cli");

// Starts the tool and kills it (SIGKILL: no handler runs, nothing is flushed) as soon as
// `moment` holds, checked as its standard error comes.
inline void runAndKillWhen(const QStringList& args,
                           const std::function<bool(const QString&)>& moment) {
  using namespace std::chrono_literals;
  QProcess tool;
  tool.start(kTool, args);
  ASSERT_TRUE(tool.waitForStarted());
  QString err;
  const auto deadline = std::chrono::steady_clock::now() + 120s;
  while (tool.state() == QProcess::Running && std::chrono::steady_clock::now() < deadline) {
    tool.waitForReadyRead(20);
    err += QString::fromUtf8(tool.readAllStandardError());
    if (moment(err)) {
      tool.kill();
      break;
    }
  }
  tool.waitForFinished(30'000);
  ASSERT_EQ(tool.exitStatus(), QProcess::CrashExit) << "the run ended before its kill:\n"
                                                    << err.toStdString();
}

}  // namespace quillon::cli::testing
