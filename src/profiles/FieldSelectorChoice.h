#pragma once

#include "fields/Kind.h"
#include "profiles/FieldValues.h"
#include "profiles/SelectorMaker.h"
#include "profiles/TreeKinds.h"

#include <optional>
#include <string>
#include <vector>

// Which selector reads a column in every listing: each candidate selector of an element is
// scored on every listing of the page, by how many listings it fills with a value of the
// column's kind; a value of another kind disqualifies it. The teacher calls it with the
// element that shows the user's example; card detection with any element whose value is of
// the column's kind.
//
//   TreeKinds kinds(tree);
//   FieldReader phone(Column::Telephone, {});
//   auto choice = chooseFieldSelector(kinds, card, link, phone, listings);
//   // choice->selector.css() == "a[href^=\"tel:\"]", choice->score.fills == 35

namespace quillon::profiles {

// Reads one column from a page tree as a profile run reads it: the element's text or
// attribute, finished by FieldValues.
class FieldReader {
 public:
  // The rule's selector is not used. Throws ProfileError for a pattern that does not compile.
  FieldReader(Column column, FieldRule rule);
  FieldReader(const FieldReader&) = delete;
  FieldReader& operator=(const FieldReader&) = delete;

  Column column() const { return m_column; }
  const FieldRule& rule() const { return *m_profile[m_column]; }
  // The column's kind; nothing for the activity.
  std::optional<fields::Kind> kind() const;

  // The value of the element, before the kind check.
  std::string read(const PageTree& tree, int element);
  // The value of the selector's first element in the container; empty without one.
  std::string readIn(const PageTree& tree, const SimpleSelector& selector, int container);

 private:
  Column m_column;
  Profile m_profile;  // of this field alone
  FieldValues m_values;
};

struct FieldScore {
  int fills = 0;  // listings where it reads a value of the kind (any value, without one)
  int wrong = 0;  // listings where it reads a value of another kind
};

FieldScore scoreField(const TreeKinds& kinds, const SimpleSelector& selector, FieldReader& reader,
                      const std::vector<int>& listings);

struct FieldChoice {
  SimpleSelector selector;
  SelectorRank rank = SelectorRank::Position;
  FieldScore score;
};

// Whether a is the better choice: one that reads no value of another kind beats one that
// does; then the one that fills more listings, then the better rank. A column without a kind
// (the activity) goes by rank first, since any text fills it.
bool betterField(const FieldChoice& a, const FieldChoice& b, bool kinded);

// The best of the element's selectors relative to the container (fieldSelectors) over the
// listings; nothing when it has none.
std::optional<FieldChoice> chooseFieldSelector(const TreeKinds& kinds, int container, int element,
                                               FieldReader& reader,
                                               const std::vector<int>& listings);

}  // namespace quillon::profiles
