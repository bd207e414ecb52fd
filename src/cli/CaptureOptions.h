#pragma once

#include "cli/BatchOptions.h"
#include "cli/Command.h"
#include "cli/FetchOptions.h"
#include "profiles/Profile.h"

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace quillon::cli {

// The arguments of "quillon-cli capture".
struct CaptureOptions {
  std::string mode;                          // a run mode's code: es, it, au, ca, auto, profile
  std::optional<profiles::Profile> profile;  // the profile of the mode "profile"
  std::string address;                       // URL or FILE; empty when resuming
  std::string output;
  int maxPages = 0;
  FetchOptions fetch;
  int lookupConcurrency = 8;
  bool findEmails = false;
  bool loadImages = false;
  std::chrono::milliseconds delay{0};             // --delay: between two result-page requests
  std::chrono::milliseconds refusalWait{30'000};  // --refusal-wait
  std::string journal;                            // --journal FILE
  std::string resume;                             // --resume FILE
  std::optional<BatchList> batch;                 // --searches, or --search-template and --values

  // What a journal keeps of them, so that a resumed run reads the same way.
  std::vector<std::pair<std::string, std::string>> journalled() const;
  // Takes back what a journal kept (for the options not given again).
  void takeJournalled(const std::vector<std::pair<std::string, std::string>>& kept);
};

// Reads the arguments; the status to end with when they are not to go on with.
std::variant<CaptureOptions, int> parseCaptureOptions(CommandContext& context);

}  // namespace quillon::cli
