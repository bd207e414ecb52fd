#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "journal/JournalError.h"
#include "journal/JournalSummary.h"

#include <ostream>

namespace quillon::cli {
namespace {

constexpr const char* kJournalHelp =
    "Usage: quillon-cli journal FILE\n\n"
    "Prints what a capture journal holds: its rows, the site or mode of its last run,\n"
    "the pages read, and whether the run ended or can be resumed by the capture command.\n"
    "The journal is not changed.\n";

}  // namespace

int runJournal(CommandContext& context) {
  CommandLine line("journal", kJournalHelp);
  if (const auto status = line.parse(context.args, context)) return *status;
  const std::vector<std::string> files = line.positional();
  if (files.size() != 1) return line.fail(context, "one journal FILE is required", true);
  try {
    context.out << journal::summaryText(journal::summarizeJournal(files.front()));
  } catch (const journal::JournalError& error) {
    context.err << "quillon-cli journal: " << error.what() << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace quillon::cli
