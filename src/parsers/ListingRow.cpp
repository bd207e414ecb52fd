#include "parsers/ListingRow.h"

#include "parsers/uAmarillasES.h"

#include <stdexcept>
#include <utility>

namespace quillon::parsers {

ListingRow parseListingBlock(Site site, std::u16string block) {
  ListingRow row;
  switch (site) {
    case Site::ES: {
      TAmarillasESEntry e(std::move(block));
      e.Execute();
      row = {e.Name,
             {e.Activity, e.Activity2, e.Phone, e.Street, e.Zip, e.City, e.Province, e.Url},
             e.Phone,
             e.Url};
      break;
    }
    default:
      throw std::invalid_argument("no rule set for this site yet");
  }
  return row;
}

}  // namespace quillon::parsers
