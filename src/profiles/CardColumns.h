#pragma once

#include "profiles/FieldSelectorChoice.h"
#include "profiles/Profile.h"
#include "profiles/TreeKinds.h"

#include <array>
#include <optional>
#include <vector>

// Which element of a listing card gives each column, found without examples: in a sample of
// the cards, every element whose text or link address is of a column's kind is a candidate
// (the innermost one that shows the value; for a part of a text, such as "28013" of
// "Calle Mayor 5, 28013 Madrid", the pattern of the part's shape); candidates of the same look
// are grouped, and the selectors of the groups found in the most cards are scored on every
// card, as the teacher scores them (FieldSelectorChoice).

namespace quillon::profiles {

struct CardField {
  FieldRule rule;  // its selector is choice.selector's CSS
  FieldChoice choice;
};

using CardFields = std::array<std::optional<CardField>, kColumnCount>;

// The columns of the cards (listing containers, none inside another). The name is the
// element nameIn reads; a telephone whose label, class or scheme says fax goes to the fax
// column; a locality or province that stands alone is taken where a class or itemprop names
// it, or beside the postal code; the activity only where a class or itemprop names it. A
// column is kept when it fills two cards, or one and reads nothing of another kind elsewhere.
CardFields detectColumns(const TreeKinds& kinds, const std::vector<int>& cards);

}  // namespace quillon::profiles
