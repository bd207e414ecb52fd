#pragma once

#include <string_view>

namespace quillon::results {

// Listing texts come from the web: a name such as =HYPERLINK(...) must not run as a formula
// when a .csv file is opened in a spreadsheet, which takes =, +, -, @, a tab or a carriage
// return at the start of a cell for the start of one. Such a cell is written with an
// apostrophe in front. So that a file reads back as it was written, a cell of apostrophes
// followed by such a character gets one more apostrophe too.
bool needsFormulaGuard(std::string_view cell);

// The cell as it was before the writer guarded it: one apostrophe less when it holds one or
// more apostrophes followed by a character that starts a formula.
std::string_view withoutFormulaGuard(std::string_view cell);

}  // namespace quillon::results
