#include "base/Version.h"
#include "cli/Command.h"

#include <array>
#include <ostream>
#include <string_view>

namespace quillon::cli {
namespace {

struct CommandEntry {
  std::string_view name;
  int (*run)(CommandContext&);
  std::string_view summary;
};

// The commands, in the order --help lists them.
constexpr std::array kCommands = {
    CommandEntry{"parse", runParse, "parse one listing block into the fields of a site's entry"},
    CommandEntry{"finders", runFinders, "find the first web address and e-mail address in a text"},
    CommandEntry{"rows", runRows, "cut a page text into listings and print the rows they add"},
    CommandEntry{"walk", runWalk, "load a result page offscreen and print its page text"},
    CommandEntry{"capture", runCapture, "capture every result page of a search, without a window"},
    CommandEntry{"listings", runListings,
                 "print the listings that an any-site capture reads from one page"},
    CommandEntry{"journal", runJournal, "print what a capture journal holds"},
    CommandEntry{"teach", runTeach, "teach a site profile from one listing's values"},
    CommandEntry{"detect", runDetect, "find a page's listing cards and write them as a profile"},
    CommandEntry{"merge", runMerge, "merge files of rows into one, without duplicates"},
};

void printUsage(std::ostream& out) {
  out << "Usage: quillon-cli COMMAND [ARGS...]\n\n"
         "Harvests business listings from directory result pages, without a window.\n\n"
         "Commands:\n";
  for (const auto& command : kCommands) {
    out << "  " << command.name << std::string(10 - command.name.size(), ' ') << command.summary
        << '\n';
  }
  out << "\nRun 'quillon-cli COMMAND --help' for the arguments of a command;\n"
         "'quillon-cli --version' prints the version.\n\n"
         "The commands that load pages keep the browser engine's own notices off standard\n"
         "error; set QUILLON_ENGINE_LOG=1 to see them (and Chromium's log) when debugging.\n";
}

}  // namespace

int runCli(CommandContext& context) {
  if (context.args.empty()) {
    printUsage(context.err);
    return kExitUsage;
  }
  const std::string name = context.args.front();
  if (name == "--help" || name == "-h" || name == "help") {
    printUsage(context.out);
    return kExitOk;
  }
  if (name == "--version") {
    context.out << "quillon-cli " << kVersion << '\n';
    return kExitOk;
  }
  for (const auto& command : kCommands) {
    if (command.name == name) {
      CommandContext sub{
          {context.args.begin() + 1, context.args.end()}, context.in, context.out, context.err};
      return command.run(sub);
    }
  }
  context.err << "quillon-cli: unknown command '" << name << "'\n";
  printUsage(context.err);
  return kExitUsage;
}

}  // namespace quillon::cli
