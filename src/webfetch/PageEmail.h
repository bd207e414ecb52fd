#pragma once

#include "webfetch/PageContent.h"

#include <string>
#include <string_view>

namespace quillon::webfetch {

// UTF-8 text as cp1252 for the e-mail finder: a character that cp1252 lacks becomes a
// blank, never a look-alike (a full-width "@" is no "@").
std::string emailSearchText(std::string_view utf8);

// The first e-mail address of a page (cp1252, ASCII), or empty text. Looked for in this
// order: the mailto: links; the visible text; the visible text with "[at]", "(at)",
// "{at}", "<at>" and the same forms of "dot" read as "@" and "."; the character references
// of the raw HTML (an address written with at least one of them); Cloudflare's encoding
// (data-cfemail attributes and /cdn-cgi/l/email-protection#HEX links of the raw HTML).
// Every address returned is one that FindEmail gives back whole.
std::string findPageEmail(std::string_view html, const PageContent& content);

}  // namespace quillon::webfetch
