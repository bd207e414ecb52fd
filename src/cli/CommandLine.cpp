#include "cli/CommandLine.h"

#include <QStringList>

#include <charconv>
#include <cstdlib>
#include <ostream>

namespace quillon::cli {

CommandLine::CommandLine(std::string command, std::string help)
    : m_command(std::move(command)), m_help(std::move(help)) {}

void CommandLine::addFlag(const QString& name) {
  m_parser.addOption(QCommandLineOption(name));
  m_flags << name;
}

void CommandLine::addValue(const QString& name, std::string why) {
  m_parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
  m_why[name] = std::move(why);
}

std::optional<int> CommandLine::parse(const std::vector<std::string>& args,
                                      CommandContext& context) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      context.out << m_help;
      return kExitOk;
    }
  }
  QStringList list{QStringLiteral("quillon-cli")};
  for (const std::string& arg : args) list << QString::fromStdString(arg);
  if (m_parser.parse(list)) return std::nullopt;

  if (!m_parser.unknownOptionNames().isEmpty()) {
    // Named as the user wrote it.
    for (const std::string& arg : args) {
      if (arg == "--") break;
      if (arg.size() < 2 || arg[0] != '-') continue;
      const std::size_t start = arg[1] == '-' ? 2 : 1;
      const QString name = QString::fromStdString(arg.substr(start, arg.find('=') - start));
      if (m_why.count(name) == 0 && !m_flags.contains(name)) {
        return fail(context, "unknown option " + arg, true);
      }
    }
    return fail(context, "unknown option " + m_parser.unknownOptionNames().front().toStdString(),
                true);
  }
  // The parser's only other complaint: "Missing value after '--NAME'."
  const QString text = m_parser.errorText();
  const qsizetype open = text.indexOf(QLatin1Char('\''));
  const qsizetype close = text.lastIndexOf(QLatin1Char('\''));
  QString name = open >= 0 && close > open ? text.mid(open + 1, close - open - 1) : QString();
  while (name.startsWith(QLatin1Char('-'))) name.remove(0, 1);
  if (m_why.count(name) != 0) return failOption(context, name);
  return fail(context, text.toStdString(), true);
}

bool CommandLine::isSet(const QString& name) const { return m_parser.isSet(name); }

std::string CommandLine::value(const QString& name) const {
  return m_parser.value(name).toStdString();
}

std::vector<std::string> CommandLine::values(const QString& name) const {
  std::vector<std::string> result;
  for (const QString& each : m_parser.values(name)) result.push_back(each.toStdString());
  return result;
}

std::vector<std::string> CommandLine::positional() const {
  std::vector<std::string> result;
  for (const QString& each : m_parser.positionalArguments()) result.push_back(each.toStdString());
  return result;
}

std::optional<int> CommandLine::number(const QString& name, int low, int high, int fallback,
                                       CommandContext& context) const {
  if (!isSet(name)) return fallback;
  const std::string text = value(name);
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || number < low || number > high) {
    failOption(context, name);
    return std::nullopt;
  }
  return static_cast<int>(number);
}

std::optional<std::chrono::milliseconds> CommandLine::seconds(const QString& name, double low,
                                                              double high,
                                                              std::chrono::milliseconds fallback,
                                                              CommandContext& context) const {
  if (!isSet(name)) return fallback;
  const std::string text = value(name);
  double number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  // from_chars takes neither a sign nor blanks first, and "inf" or "nan" fail the range.
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !(number >= low) || !(number <= high)) {
    failOption(context, name);
    return std::nullopt;
  }
  return std::chrono::milliseconds(static_cast<long long>(number * 1000 + 0.5));
}

std::optional<std::string> CommandLine::nonEmpty(const QString& name,
                                                 CommandContext& context) const {
  std::string text = value(name);
  if (text.empty()) {
    failOption(context, name);
    return std::nullopt;
  }
  return text;
}

int CommandLine::fail(CommandContext& context, std::string_view why, bool withHelp) const {
  context.err << "quillon-cli " << m_command << ": " << why << "\n";
  if (withHelp) context.err << m_help;
  return kExitUsage;
}

int CommandLine::failOption(CommandContext& context, const QString& name) const {
  const auto found = m_why.find(name);
  return fail(context,
              found != m_why.end() ? found->second : "bad value for --" + name.toStdString());
}

}  // namespace quillon::cli
