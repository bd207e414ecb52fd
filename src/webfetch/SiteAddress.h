#pragma once

#include <string>
#include <string_view>

namespace quillon::webfetch {

// The host name without a leading "www.": the name of the site.
std::string_view siteName(std::string_view host);

// True for the same host name, or the same name with and without a leading "www.".
bool isSameSite(std::string_view hostA, std::string_view hostB);

// The address of a website's home page from a web address as a listing shows it
// ("www.rossi.it", "rossi.it/", "https://rossi.it"): http:// is put before an address
// without scheme; empty for an address of another scheme or without a host.
std::string websiteHomeUrl(std::string_view webAddress);

}  // namespace quillon::webfetch
