#pragma once

#include <stdexcept>
#include <string>

namespace quillon::capture {

// The message texts of the capture layer.
inline constexpr const char* kInvalidHtmlDocument = "Invalid HTML document";
inline constexpr const char* kNoBodyElement = "Can't find <body> element";
inline constexpr const char* kNoHtmlDocument2 =
    "Couldn't convert the wb.Document to an IHTMLDocument2";

// Every failure of the capture layer and of the browser behind it. The message is the
// text shown to the user (UTF-8).
class CaptureError : public std::runtime_error {
 public:
  explicit CaptureError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quillon::capture
