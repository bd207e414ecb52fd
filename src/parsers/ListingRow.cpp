#include "parsers/ListingRow.h"

#include "parsers/AmarillasESEntry.h"
#include "parsers/GialleITEntry.h"
#include "parsers/YellowPagesAUEntry.h"
#include "parsers/YellowPagesCAEntry.h"

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
    case Site::IT: {
      TGialleITEntry e(std::move(block));
      e.Execute();
      row = {e.Name,
             {e.Products, e.Fax, e.Phone, e.Street, e.Zip, e.City, e.Province, e.Url},
             e.Phone,
             e.Url};
      break;
    }
    case Site::AU: {
      // Keywords stand where the others have the fax, and the e-mail column stays empty.
      TYellowPagesAUentry e(std::move(block));
      e.Execute();
      row = {e.Name,
             {e.Products, e.Keywords, e.Phone, e.Street, e.Zip, e.City, u"", e.Url},
             e.Phone,
             e.Url};
      break;
    }
    case Site::CA: {
      TYellowPagescaentry e(std::move(block));
      e.Execute();
      row = {e.Name,
             {e.Products, e.Fax, e.Phone, e.Street, e.Zip, e.City, e.Email, e.Url},
             e.Phone,
             e.Url};
      break;
    }
  }
  return row;
}

}  // namespace quillon::parsers
