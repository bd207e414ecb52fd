#include "profiles/FieldSelectorChoice.h"

#include "profiles/ExampleMatch.h"

namespace quillon::profiles {
namespace {

Profile oneField(Column column, FieldRule rule) {
  Profile profile;
  profile[column] = std::move(rule);
  return profile;
}

}  // namespace

FieldReader::FieldReader(Column column, FieldRule rule)
    : m_column(column), m_profile(oneField(column, std::move(rule))), m_values(m_profile) {}

std::optional<fields::Kind> FieldReader::kind() const {
  if (!rule().checkKind) return std::nullopt;
  return fields::kindOfColumn(static_cast<std::size_t>(m_column));
}

std::string FieldReader::read(const PageTree& tree, int element) {
  return m_values.read(m_column, rawValue(tree, element, rule().attribute));
}

std::string FieldReader::readIn(const PageTree& tree, const SimpleSelector& selector,
                                int container) {
  const int element = selectFirst(tree, selector, container);
  return element < 0 ? std::string() : read(tree, element);
}

FieldScore scoreField(const TreeKinds& kinds, const SimpleSelector& selector, FieldReader& reader,
                      const std::vector<int>& listings) {
  FieldScore score;
  const bool kinded = reader.kind().has_value();
  for (const int listing : listings) {
    const std::string value = reader.readIn(kinds.tree(), selector, listing);
    if (value.empty()) continue;
    if (!kinded || fitsColumn(reader.column(), value, kinds.page())) {
      ++score.fills;
    } else {
      ++score.wrong;
    }
  }
  return score;
}

bool betterField(const FieldChoice& a, const FieldChoice& b, bool kinded) {
  if ((a.score.wrong == 0) != (b.score.wrong == 0)) return a.score.wrong == 0;
  if (!kinded && a.rank != b.rank) return a.rank < b.rank;
  if (a.score.fills != b.score.fills) return a.score.fills > b.score.fills;
  if (a.score.wrong != b.score.wrong) return a.score.wrong < b.score.wrong;
  return a.rank < b.rank;
}

std::optional<FieldChoice> chooseFieldSelector(const TreeKinds& kinds, int container, int element,
                                               FieldReader& reader,
                                               const std::vector<int>& listings) {
  std::optional<FieldChoice> best;
  const bool kinded = reader.kind().has_value();
  for (RankedSelector& candidate : fieldSelectors(kinds.tree(), container, element)) {
    FieldChoice choice{std::move(candidate.selector), candidate.rank, {}};
    choice.score = scoreField(kinds, choice.selector, reader, listings);
    if (!best || betterField(choice, *best, kinded)) best = std::move(choice);
  }
  return best;
}

}  // namespace quillon::profiles
