#include "cli/Command.h"
#include "cli/InputReader.h"
#include "cli/Json.h"
#include "parsers/Finders.h"

#include <ostream>

namespace quillon::cli {
namespace {

constexpr const char* kFindersHelp =
    "Usage: quillon-cli finders [FILE]\n\n"
    "Reads a text (cp1252 bytes) from FILE or standard input and prints\n"
    "{\"link\":...,\"email\":...}: the first web address and the first e-mail address.\n";

}  // namespace

int runFinders(CommandContext& context) {
  std::string path;
  bool havePath = false;
  for (const std::string& arg : context.args) {
    if (arg == "--help" || arg == "-h") {
      context.out << kFindersHelp;
      return kExitOk;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      context.err << "quillon-cli finders: unknown option " << arg << "\n" << kFindersHelp;
      return kExitUsage;
    }
    if (havePath) {
      context.err << "quillon-cli finders: only one FILE may be given\n";
      return kExitUsage;
    }
    path = arg;
    havePath = true;
  }
  const auto bytes = readInput(path, context.in, context.err);
  if (!bytes) return kExitFailure;
  context.out << "{\"link\":" << jsonStringFromCp1252(parsers::FindLink(*bytes))
              << ",\"email\":" << jsonStringFromCp1252(parsers::FindEmail(*bytes)) << "}\n";
  return kExitOk;
}

}  // namespace quillon::cli
