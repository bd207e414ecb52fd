#pragma once

#include <string>
#include <string_view>

namespace quillon::webengine {

// The collect scripts of site profiles. Each runs in one evaluation, in the isolated world,
// and returns text; they only run selectors and read the DOM, and every rule about what the
// results mean lives in the core (profiles/).

// Runs a profile's request (profiles::profileRequest): each listing container's fields, the
// next link, and the page data of pageDataScript(); the JSON text that
// profiles::decodeProfilePage reads. A selector that the page refuses gives an error object
// naming its key.
std::u16string profileDataScript(std::string_view request);

// Every HTML element of the document outside <head>, script, style and template, with its
// parent, tag, id, classes, other attributes (href and src absolute), visible text and
// whether it is hidden: the JSON text that profiles::decodePageTree reads.
std::u16string pageTreeScript();

// Clicks the first element (or all) that the selector matches, in the document or, with
// `within`, inside each element that `within` matches (the selector confined to it).
// Returns the number clicked as text; a selector the page refuses clicks none.
std::u16string clickScript(std::string_view selector, std::string_view within, bool all);

}  // namespace quillon::webengine
