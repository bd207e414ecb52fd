#include "cli/ProfileReport.h"

#include <algorithm>
#include <ostream>

namespace quillon::cli {

void printProfileReport(const profiles::TeachResult& result, std::string_view unit,
                        std::ostream& err) {
  err << result.listingCount << ' ' << unit << (result.listingCount == 1 ? "" : "s")
      << " on the page\n";
  for (std::size_t i = 0; i < profiles::kColumnCount; ++i) {
    const std::string line = profiles::fillLine(result, profiles::columnAt(i));
    if (!line.empty()) err << line << "\n";
  }
  const std::size_t shown = std::min<std::size_t>(3, result.rows.size());
  for (std::size_t row = 0; row < shown; ++row) {
    err << "  " << row + 1 << ".";
    const char* separator = " ";
    for (std::size_t i = 0; i < profiles::kColumnCount; ++i) {
      const std::string& value = result.rows[row].columns[i];
      if (value.empty()) continue;
      err << separator << profiles::fieldKey(profiles::columnAt(i)) << ": " << value;
      separator = "; ";
    }
    err << "\n";
  }
  const profiles::Profile& profile = result.profile;
  if (!profile.reveal.empty()) err << "reveal buttons: " << profile.reveal << "\n";
  if (!profile.loadMore.empty()) err << "load more: " << profile.loadMore << "\n";
  if (!profile.next.empty()) err << "next page: " << profile.next << "\n";
}

}  // namespace quillon::cli
