#pragma once

#include "batch/ListText.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillon::batch {

// The start addresses of a list: one a line, each an http or https address. `name` names
// the list in messages (its file). Throws BatchError for an empty list, a line that is no
// http(s) address (by its line number).
std::vector<std::string> searchesFromList(const ListText& list, std::string_view name);

// The start addresses that a search template gives: each value, percent-encoded, in place of
// every "{}" of the template, in the order of the values. Throws BatchError for a template
// without "{}" or not an http(s) address, an address that comes out as none (by the value's
// line) or an empty values list.
std::vector<std::string> searchesFromTemplate(std::string_view searchTemplate,
                                              const ListText& values, std::string_view name);

// The value as one component of an address: every byte but ASCII letters, digits and
// "-._~" as %XX (UTF-8 bytes, upper-case hexadecimal).
std::string percentEncoded(std::string_view value);

}  // namespace quillon::batch
