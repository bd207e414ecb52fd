#pragma once

#include <string>
#include <string_view>

namespace quillon::capture {

// A short fingerprint of a page text for the loop guard (64-bit FNV-1a, 16 hex digits):
// equal texts give equal signatures. Empty for an empty text, which the guard leaves alone.
std::string textSignature(std::string_view pageText);

}  // namespace quillon::capture
