#pragma once

#include <string>
#include <string_view>

// Host names of web addresses, as the field kinds compare them.

namespace quillon::fields {

// The host of an absolute http or https address, in lower case (ASCII), without a final
// dot; empty for another scheme, a relative address or a host with characters no host has.
std::string httpHost(std::string_view url);

// The part of a host that its owner registered: the last two labels, or the last three
// where the last two are a second-level suffix ("casapepe.co.uk", "localsearch.com.au").
// A second-level suffix is a common generic word (com, co, org, net, gov, gob, edu, ac, or,
// nom, ltd, plc, asn, id, gen, govt, biz, info, mil, int) under a two-letter country domain.
// An IP address or a single label stays whole.
std::string registrableDomain(std::string_view host);

}  // namespace quillon::fields
