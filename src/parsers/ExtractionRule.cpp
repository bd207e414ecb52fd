#include "parsers/ExtractionRule.h"

#include "text/Utf8.h"

namespace quillon::parsers {

std::string cp1252Pattern(std::string_view utf8) { return text::utf8ToCp1252(utf8); }

}  // namespace quillon::parsers
