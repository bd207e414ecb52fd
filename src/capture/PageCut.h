#pragma once

#include <algorithm>
#include <string_view>

namespace quillon::capture {

// Cuts a page text into listing blocks at each "+-+": a block is everything before the
// separator, the separator and the two characters after it, and the second of those
// begins the next block. The text before the first separator forms the first block; the
// last block runs to the end. An empty text yields one empty block. Calls
// onBlock(std::u16string_view) for each block in order; linear in the text's length.
template <class OnBlock>
void forEachBlock(std::u16string_view text, OnBlock onBlock) {
  constexpr std::u16string_view kSeparator = u"+-+";
  std::size_t start = 0;
  do {
    const std::size_t at = text.find(kSeparator, start);
    if (at == std::u16string_view::npos) {
      onBlock(text.substr(start));
      start = text.size();
    } else {
      onBlock(text.substr(start, at + 5 - start));  // substr stops at the end of the text
      start = std::min(at + 4, text.size());
    }
  } while (start < text.size());
}

}  // namespace quillon::capture
