#pragma once

#include <string>
#include <string_view>

namespace quillon::parsers {

enum class ReplaceMode { AllOccurrences, FirstOccurrence };

// Replaces `what` by `with` in text, searching plain bytes case-sensitively from the
// start. All occurrences: non-overlapping, the scan resuming right after each inserted
// text, so an inserted placeholder is never searched again. An empty `what` changes
// nothing.
std::string replaceText(std::string_view text, std::string_view what, std::string_view with,
                        ReplaceMode mode);

}  // namespace quillon::parsers
