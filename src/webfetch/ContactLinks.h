#pragma once

#include "webfetch/PageContent.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillon::webfetch {

// The contact or about pages of a site among the links of one of its pages, in the order of
// the page, at most two: links of the same site (see isSameSite) as pageUrl or siteHost,
// over http or https, other than pageUrl itself, whose text or address (path and query)
// names such a page: contact, contacto, contatti, kontakt, nous contacter, about,
// chi siamo, quiénes somos, impressum, in any case, accents as written; in an address,
// "-", "_", "+" and "." may stand for the blank or be left out ("chi-siamo", "chisiamo").
// The addresses come without fragment.
std::vector<std::string> contactPageLinks(const std::vector<PageLinkText>& links,
                                          std::string_view pageUrl, std::string_view siteHost);

}  // namespace quillon::webfetch
