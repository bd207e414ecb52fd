#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/InputReader.h"
#include "parsers/Finders.h"
#include "text/JsonString.h"

#include <ostream>

namespace quillon::cli {
namespace {

constexpr const char* kFindersHelp =
    "Usage: quillon-cli finders [FILE]\n\n"
    "Reads a text (cp1252 bytes) from FILE or standard input and prints\n"
    "{\"link\":...,\"email\":...}: the first web address and the first e-mail address.\n";

}  // namespace

int runFinders(CommandContext& context) {
  CommandLine line("finders", kFindersHelp);
  if (const auto status = line.parse(context.args, context)) return *status;
  const std::vector<std::string> files = line.positional();
  if (files.size() > 1) return line.fail(context, "only one FILE may be given");
  const std::string path = files.empty() ? std::string() : files.front();
  const auto bytes = readInput(path, context.in, context.err);
  if (!bytes) return kExitFailure;
  context.out << "{\"link\":" << text::jsonStringFromCp1252(parsers::FindLink(*bytes))
              << ",\"email\":" << text::jsonStringFromCp1252(parsers::FindEmail(*bytes)) << "}\n";
  return kExitOk;
}

}  // namespace quillon::cli
