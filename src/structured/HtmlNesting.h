#pragma once

#include <cstdint>
#include <string_view>

namespace quillon::structured {

// An estimate of the work that an HTML parser's tree builder does on the markup: the sum, over
// the start tags, of the number of elements open at that point. Parsers check their stack of
// open elements at each tag, so deeply nested markup (100,000 open divs) costs them time that
// grows with the square of the depth. Void elements, self-closed tags and the elements that
// the next of their kind closes (p, li, td, option, ...) do not count as open; comments and
// the text of script, style and the like are skipped. An end tag closes only an element of
// its name that is open, so stray end tags cannot hide nesting.
std::uint64_t nestingWork(std::string_view html);

}  // namespace quillon::structured
