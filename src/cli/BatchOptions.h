#pragma once

#include "cli/CommandLine.h"
#include "journal/BatchRecord.h"

#include <string>
#include <variant>
#include <vector>

namespace quillon::cli {

// The list of searches that --searches, or --search-template with --values, give a capture,
// and the part of it that --shard takes.
struct BatchList {
  std::vector<journal::SearchRecord> searches;  // the shard's, in list order
  int listSize = 0;                             // the searches of the whole list
  std::string shard;                            // "K/N", empty for the whole list
};

// The help lines of those options, for the capture command's help text.
extern const char* const kBatchOptionsHelp;

void addBatchOptions(CommandLine& line);

// True when the arguments ask for a list of searches (or a shard of one).
bool wantsBatch(const CommandLine& line);

// Reads the list's files ("-": standard input) once the line is parsed. Gives the status to
// end with instead when the list cannot run: a file that cannot be read (failure), or
// arguments or a list that are wrong (usage), said on the error stream.
std::variant<BatchList, int> readBatchOptions(const CommandLine& line, CommandContext& context);

}  // namespace quillon::cli
