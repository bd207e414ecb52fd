#pragma once

#include "webfetch/FetchQueue.h"
#include "webfetch/TWebData.h"

#include <functional>
#include <string>
#include <string_view>

namespace quillon::webfetch {

// The e-mail address (ASCII) found on the page at url, or empty text: the first item of
// webData is pointed at url (and made when there is none), fetched, and its page searched
// whole, markup included. A failed fetch yields empty text, never the address of a page
// fetched earlier.
std::string fetchEmailfromHTTP(TWebData& webData, std::string_view url);

// The same lookup through the queue: done hears the e-mail address found on the page at url
// (ASCII), or empty text for a failed or cancelled fetch. The lookups of a page all go to
// the directory's own host, which its pages come from as well, so they start unpaced: the
// queue's limit on transfers bounds the load instead.
void lookupEmailLater(FetchQueue& queue, std::string url,
                      std::function<void(std::string email)> done);

}  // namespace quillon::webfetch
