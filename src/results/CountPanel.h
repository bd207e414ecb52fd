#pragma once

#include <string>

namespace quillon::results {

// The status bar's count panel, as the key handling of the list writes it.
class CountPanel {
 public:
  virtual ~CountPanel() = default;
  // Shows a text such as "12 líneas capturadas" (UTF-8).
  virtual void setCountText(const std::string& text) = 0;
};

}  // namespace quillon::results
