#pragma once

#include "profiles/Teacher.h"

#include <iosfwd>
#include <string_view>

namespace quillon::cli {

// What a taught or detected profile reads from its page, on standard error: how many
// listings (or cards, as `unit` names them), how many of them each field fills, the first
// three rows, and the reveal, "load more" and next-page selectors it has.
void printProfileReport(const profiles::TeachResult& result, std::string_view unit,
                        std::ostream& err);

}  // namespace quillon::cli
