#include "profiles/TaughtListings.h"

#include "profiles/ExampleMatch.h"
#include "profiles/FieldValues.h"
#include "profiles/SimpleSelector.h"

#include <optional>

namespace quillon::profiles {

TaughtReading readContainers(const TreeKinds& kinds, const Profile& profile,
                             const std::vector<int>& containers) {
  std::array<std::optional<SimpleSelector>, kColumnCount> selectors;
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    const auto& rule = profile.fields[i];
    if (rule && !rule->fromStructuredData) selectors[i] = parseSimpleSelector(rule->selector);
  }
  FieldValues values(profile);
  values.setPage(kinds.page());
  TaughtReading reading;
  for (const int container : containers) {
    structured::Listing row;
    std::array<int, kColumnCount> leftOut{};
    for (std::size_t i = 0; i < kColumnCount; ++i) {
      if (!selectors[i]) continue;
      const int element = selectFirst(kinds.tree(), *selectors[i], container);
      if (element < 0) continue;
      std::string value =
          values.read(columnAt(i), rawValue(kinds.tree(), element, profile.fields[i]->attribute));
      if (!values.keeps(columnAt(i), value)) {
        value.clear();
        leftOut[i] = 1;
      }
      row.columns[i] = std::move(value);
    }
    if (row[Column::Name].empty()) continue;
    reading.rows.push_back(std::move(row));
    for (std::size_t i = 0; i < kColumnCount; ++i) reading.leftOut[i] += leftOut[i];
  }
  return reading;
}

std::vector<structured::Listing> readTaughtListings(const PageTree& tree, const Profile& profile) {
  const auto listing = parseSimpleSelector(profile.listing);
  if (!listing) return {};
  const TreeKinds kinds(tree);
  return readContainers(kinds, profile, selectAll(tree, *listing)).rows;
}

}  // namespace quillon::profiles
