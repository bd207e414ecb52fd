#include "capture/PageSignature.h"

#include <cstdint>

namespace quillon::capture {

std::string textSignature(std::string_view pageText) {
  if (pageText.empty()) return {};
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : pageText) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) text[static_cast<std::size_t>(i)] = kHex[hash & 0xF];
  return text;
}

}  // namespace quillon::capture
