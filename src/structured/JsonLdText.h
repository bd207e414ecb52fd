#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon::structured {

// The deepest nesting of objects and arrays that a JSON-LD block may have.
inline constexpr std::size_t kMaxJsonLdDepth = 128;

// The text of a JSON-LD block made strict JSON where pages commonly bend it: an HTML comment
// or CDATA wrapper, JavaScript comments, a trailing ";", commas before "}" or "]", and raw
// line breaks or tabs inside strings (made blanks). Throws StructuredDataError when the block
// nests deeper than kMaxJsonLdDepth, so that no reader goes that deep.
std::string tidyJsonLd(std::string_view block);

}  // namespace quillon::structured
