#include "parsers/OwnListingText.h"

namespace quillon::parsers {

std::string_view ownListingText(std::string_view block) {
  constexpr std::string_view kNextContainer = "\r\nvcard rest ig: ";
  return block.substr(0, block.find(kNextContainer));
}

}  // namespace quillon::parsers
