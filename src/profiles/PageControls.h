#pragma once

#include "profiles/PageTree.h"

#include <string>
#include <string_view>
#include <vector>

// The page's controls as the teacher finds them by their words: the next-page link, a
// "load more" button under the listings, a button inside each listing that shows a hidden
// value.

namespace quillon::profiles {

// The first a element whose visible text, aria-label or title is the text (white space,
// letter case and arrows such as "›", "»" around it aside); -1 when none is.
int findNextLink(const PageTree& tree, std::string_view text);

// The selector of a button outside every container that reads "Load more", "Show more
// results", "Cargar más", "Carica altri", "Voir plus" and the like, the nearest to the last
// container when there are several; empty when none. A link to another page, or an element
// inside one, is no button: its click leaves the page.
std::string findLoadMore(const PageTree& tree, const std::vector<int>& containers);

// The selector, relative to a container, of the buttons in it that reveal something (a
// button, a link to a script or to the page itself, an element with role=button; those that
// speak of a telephone or of showing first; never a link to another page nor an element
// inside one), chosen for the most containers among `containers`; empty when the container
// has none.
std::string findRevealButtons(const PageTree& tree, int container,
                              const std::vector<int>& containers);

}  // namespace quillon::profiles
