#include "batch/Shard.h"

#include "batch/BatchError.h"

#include <charconv>
#include <string>

namespace quillon::batch {
namespace {

// A number of decimal digits alone; -1 for anything else.
int wholeNumber(std::string_view digits) {
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return -1;
  return value;
}

}  // namespace

Shard parseShard(std::string_view text) {
  const std::size_t slash = text.find('/');
  const int index = wholeNumber(text.substr(0, slash));
  const int count = slash == std::string_view::npos ? -1 : wholeNumber(text.substr(slash + 1));
  const std::string shown(text);
  if (index < 0 || count < 0) {
    throw BatchError("the shard \"" + shown + "\" is not K/N (two whole numbers, as in 2/5)");
  }
  if (count < 1 || index < 1 || index > count) {
    throw BatchError("the shard " + shown + " does not exist: K/N takes K from 1 to N");
  }
  return {index, count};
}

std::vector<journal::SearchRecord> searchesOfShard(const std::vector<std::string>& addresses,
                                                   const std::optional<Shard>& shard) {
  std::vector<journal::SearchRecord> searches;
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    const int position = static_cast<int>(i) + 1;
    if (shard && (position - 1) % shard->count != shard->index - 1) continue;
    journal::SearchRecord search;
    search.position = position;
    search.address = addresses[i];
    searches.push_back(std::move(search));
  }
  return searches;
}

}  // namespace quillon::batch
