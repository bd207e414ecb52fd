#pragma once

#include <cstddef>
#include <string_view>

namespace quillon::fields {

// Where a part lies in a UTF-8 text: byte offsets, both on character boundaries.
struct Span {
  std::size_t begin = 0;
  std::size_t end = 0;

  bool empty() const { return end <= begin; }
  std::size_t size() const { return empty() ? 0 : end - begin; }
  std::string_view in(std::string_view text) const { return text.substr(begin, size()); }
  bool operator==(const Span&) const = default;
};

}  // namespace quillon::fields
