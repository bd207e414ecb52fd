#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon::profiles {

// Whether a class name looks made by a build tool or a script for one build or one element
// (CSS modules, styled-components, emotion, Svelte, an element's number): such names change
// with the next release or differ between listings, so the teacher never writes them.
//   "css-1x9t8kq", "sc-bdVaJa", "jsx-2913741", "Card_title__3xYz9", "result-48213" yes;
//   "card", "card__title", "listing-card--featured", "col-6", "h2", "CardTitle" no.
bool looksGenerated(std::string_view className);

// The words of a class name, an id or an itemprop, in lower case: split at "-", "_", blanks
// and where a lower-case letter meets a capital ("addressLocality" gives "address",
// "locality"; "card--sponsored" gives "card", "sponsored").
std::vector<std::string> nameWords(std::string_view name);

// The same for an id; also ids such as ":r1:", "ember123" or "yui_3_18_1_1_1".
bool looksGeneratedId(std::string_view id);

}  // namespace quillon::profiles
