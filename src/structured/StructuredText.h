#pragma once

#include <string>
#include <string_view>
#include <vector>

// Small text rules of the schema.org reader, on UTF-8.

namespace quillon::structured {

// Runs of white space (ASCII, no-break and the other Unicode spaces) as one blank, trimmed.
std::string collapseWhiteSpace(std::string_view text);

// Lower case for ASCII and the Latin-1 letters, which is what the words compared without
// case need ("PÁGINA", "Nächste"); other characters stay as they are.
std::string foldCase(std::string_view text);

// ASCII letters in lower case, other bytes as they are.
std::string asciiLower(std::string_view text);

// The tokens of a space-separated attribute (split at ASCII white space).
std::vector<std::string_view> asciiTokens(std::string_view text);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
bool isValidUtf8(std::string_view bytes);

}  // namespace quillon::structured
