#pragma once

#include <string>
#include <string_view>

namespace quillon::url {

// The absolute address that reference names on the page at base, as a browser resolves a
// link: control characters and blanks around it dropped, tabs and line breaks inside it
// removed, blanks and non-ASCII bytes percent-encoded, the host in lower case, a default port
// left out. A reference that is empty or only a fragment stays on the base's address; one
// with a scheme other than http, https, ftp, ftps, ws, wss or file (mailto:, tel:,
// javascript:) is kept as written. Empty when no valid address results.
std::string resolveUrl(std::string_view base, std::string_view reference);

// The address up to its fragment ("#...") if any.
std::string_view withoutFragment(std::string_view url);

}  // namespace quillon::url
