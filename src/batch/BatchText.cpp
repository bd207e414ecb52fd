#include "batch/BatchText.h"

#include <algorithm>

namespace quillon::batch {
namespace {

using journal::SearchState;

std::string counted(std::int64_t count, const char* one, const char* many) {
  return withThousands(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string withThousands(std::int64_t count) {
  const std::string digits = std::to_string(count < 0 ? -count : count);
  std::string text = count < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

std::string searchStartText(const journal::SearchRecord& search, int listSize) {
  std::string text = "search " + std::to_string(search.position) + " of ";
  text += std::to_string(listSize) + ": ";
  return text.append(search.address);
}

std::string searchEndText(const journal::SearchRecord& search) {
  std::string text = "search " + std::to_string(search.position) + ": ";
  text += counted(search.rows, "row", "rows");
  switch (search.state) {
    case SearchState::Failed:
      text += ", failed: ";
      break;
    case SearchState::ReadToItsEnd:
      text += ", stopped: ";
      break;
    case SearchState::Waiting:
    case SearchState::Unfinished:
      text += ", interrupted: ";
      break;
  }
  return text.append(search.reason);
}

std::string summaryText(const journal::BatchRecord& batch, int rowCount) {
  const auto count = [&](SearchState state) {
    return std::count_if(batch.searches.begin(), batch.searches.end(),
                         [state](const auto& search) { return search.state == state; });
  };
  const std::int64_t total = static_cast<std::int64_t>(batch.searches.size());
  const std::int64_t read = count(SearchState::ReadToItsEnd);
  const std::int64_t failed = count(SearchState::Failed);
  std::string text = counted(total, "search", "searches") + ": " + withThousands(read);
  text += read == 1 ? " read to its end, " : " read to their end, ";
  text += withThousands(failed) + " failed";
  if (const std::int64_t left = total - read - failed; left > 0) {
    text += ", " + withThousands(left) + " left to read";
  }
  return text + "; " + counted(rowCount, "row", "rows");
}

bool anySearchFailed(const journal::BatchRecord& batch) {
  return std::any_of(batch.searches.begin(), batch.searches.end(),
                     [](const auto& search) { return search.state == SearchState::Failed; });
}

}  // namespace quillon::batch
