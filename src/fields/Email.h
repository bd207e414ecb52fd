#pragma once

#include "fields/Span.h"

#include <optional>
#include <string>
#include <string_view>

// E-mail addresses in UTF-8 text, found by the rule sets' e-mail finder (parsers::FindEmail).

namespace quillon::fields {

// The first address of the text, as FindEmail finds it but whole: its name part reaches back
// over a "+" ("jo+se@casapepe.es"), and an address glued to a letter FindEmail does not know
// ("josé.garcia@…", of which FindEmail gives ".garcia@…") is none. A text that begins with
// mailto: is a link's address: the address before its "?" part, percent-decoded, and the
// span of the whole address. A match that is a file name ("logo@2x.png") is skipped.
struct EmailMatch {
  std::string address;
  Span span;
};
std::optional<EmailMatch> emailIn(std::string_view text);

// Whether the whole value is one address: a mailto: link's, or a text with at most a short
// label before it ("E-mail: info@casapepe.es").
bool isEmail(std::string_view value);

// The PCRE2 pattern (UTF-8) whose first group is the address emailIn finds.
std::string emailPattern();

}  // namespace quillon::fields
