#pragma once

#include <string>

namespace quillon::results {

// The status bar's count panel, as the key handling of the list writes it.
class CountPanel {
 public:
  virtual ~CountPanel() = default;
  // Shows a cp1252 text such as "12 l\xEDneas capturadas".
  virtual void setCountText(const std::string& text) = 0;
};

}  // namespace quillon::results
