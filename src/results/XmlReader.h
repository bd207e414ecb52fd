#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon::results {

// Hears an XML text as it is read: elements by their local name (a namespace prefix
// dropped), their attributes, and the character data between tags.
class XmlHandler {
 public:
  using Attributes = std::vector<std::pair<std::string_view, std::string_view>>;
  virtual ~XmlHandler() = default;
  virtual void startElement(std::string_view name, const Attributes& attributes) = 0;
  virtual void endElement(std::string_view name) = 0;
  virtual void characters(std::string_view text) = 0;
};

// Reads the text with expat (the only place that includes it), entities and character
// references resolved; no external entity is loaded. Throws RowFileError with expat's reason
// and the line when the text is not well-formed.
void readXml(std::string_view text, XmlHandler& handler);

}  // namespace quillon::results
