#pragma once

#include <string_view>

namespace quillon::parsers {

// The part of a Spanish or Canadian block that belongs to its own listing: the text up to
// the first line break followed by "vcard rest ig: ", or the whole text when there is none.
// The container of the next listing comes before that listing's first line, so a block
// ends with the next listing's whole text; the link and e-mail finders read only this
// part, so that a listing without a web address or e-mail never takes its neighbour's.
std::string_view ownListingText(std::string_view block);

}  // namespace quillon::parsers
