#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quillon::cli {

// What one quillon-cli command sees: its own arguments (without the command name)
// and the three standard streams, so commands run in tests without a process.
struct CommandContext {
  std::vector<std::string> args;
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // unreadable input, failed run
inline constexpr int kExitUsage = 2;    // bad arguments

// Every command returns its exit status.
int runParse(CommandContext& context);
int runFinders(CommandContext& context);
int runRows(CommandContext& context);
int runWalk(CommandContext& context);
int runCapture(CommandContext& context);
int runListings(CommandContext& context);
int runJournal(CommandContext& context);
int runTeach(CommandContext& context);
int runDetect(CommandContext& context);
int runMerge(CommandContext& context);

// Runs "quillon-cli ARGS..." (args[0] is the first argument after the program name).
int runCli(CommandContext& context);

}  // namespace quillon::cli
