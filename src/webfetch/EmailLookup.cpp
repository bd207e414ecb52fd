#include "webfetch/EmailLookup.h"

#include "parsers/Finders.h"
#include "webfetch/PageLines.h"

namespace quillon::webfetch {

std::string fetchEmailfromHTTP(TWebData& webData, std::string_view url) {
  std::string email;
  if (webData.Data.empty()) webData.Data.emplace_back();
  webData.Data.front().URL = url;
  // PageLines keep the last page that was fetched; after a failure they belong to another
  // listing, whose address must not be returned for this one.
  if (!webData.Execute()) return email;
  email = parsers::FindEmail(joinPageLines(webData.PageLines));
  return email;
}

}  // namespace quillon::webfetch
