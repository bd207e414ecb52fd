#pragma once

#include "webfetch/TWebData.h"

#include <string>
#include <string_view>

namespace quillon::webfetch {

// The e-mail address found on the page at url (cp1252), or empty text: the first item of
// webData is pointed at url (and made when there is none), fetched, and its page searched
// whole, markup included. A failed fetch yields empty text, never the address of a page
// fetched earlier.
std::string fetchEmailfromHTTP(TWebData& webData, std::string_view url);

}  // namespace quillon::webfetch
