#pragma once

#include "cli/Command.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::cli {

// The arguments of one quillon-cli command, read with QCommandLineParser. Every complaint
// goes to the error stream as "quillon-cli COMMAND: why", and ends the command with the
// usage status.
class CommandLine {
 public:
  CommandLine(std::string command, std::string help);

  // A switch: --name.
  void addFlag(const QString& name);
  // An option with a value: --name VALUE or --name=VALUE. `why` is said when the value is
  // missing or rejected ("--site takes es, it, au or ca").
  void addValue(const QString& name, std::string why);

  // Reads the arguments. Returns the status to end the command with (its help asked for:
  // printed, kExitOk; bad arguments: said, kExitUsage), or nothing when the command goes on.
  std::optional<int> parse(const std::vector<std::string>& args, CommandContext& context);

  bool isSet(const QString& name) const;
  std::string value(const QString& name) const;
  std::vector<std::string> values(const QString& name) const;
  std::vector<std::string> positional() const;

  // The value as a number from low to high; says the option's `why` and gives nothing when
  // it is not one. Gives `fallback` when the option is absent.
  std::optional<int> number(const QString& name, int low, int high, int fallback,
                            CommandContext& context) const;
  // The value as a number of seconds from low to high, decimals allowed ("0.5"), in
  // milliseconds; says the option's `why` and gives nothing when it is not one. Gives
  // `fallback` when the option is absent.
  std::optional<std::chrono::milliseconds> seconds(const QString& name, double low, double high,
                                                   std::chrono::milliseconds fallback,
                                                   CommandContext& context) const;
  // A value that must not be empty (a file name); says the option's `why` otherwise.
  std::optional<std::string> nonEmpty(const QString& name, CommandContext& context) const;

  // Says why the arguments are wrong, with the help when asked, and returns kExitUsage.
  int fail(CommandContext& context, std::string_view why, bool withHelp = false) const;
  // Says the option's `why` and returns kExitUsage.
  int failOption(CommandContext& context, const QString& name) const;

  const std::string& help() const { return m_help; }

 private:
  std::string m_command;
  std::string m_help;
  QCommandLineParser m_parser;
  std::map<QString, std::string> m_why;
  QStringList m_flags;
};

}  // namespace quillon::cli
