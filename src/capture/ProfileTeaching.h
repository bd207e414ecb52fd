#pragma once

#include "profiles/Teacher.h"

#include <chrono>

namespace quillon {
class MessagePump;
}

namespace quillon::capture {

class Browser;

// Teaches a profile from the page the browser shows, trying on the page what the teacher can
// only guess from its tree:
//  - when an example is missing from its listing and the teacher finds buttons that may
//    reveal it ("Show phone"), they are clicked in every listing, the page is given up to
//    `settle` to change, and the teacher tries again on what it shows then, keeping the
//    buttons as the profile's reveal selector when that places the example;
//  - a "load more" guess is clicked once and kept only when the page then shows more
//    listings within `settle`.
// A click that makes the page load another one (a button inside a link) is undone by going
// back, and said in the result's notes; the guess is not kept. The profile is named after
// the page's host and suggested for it.
profiles::TeachResult teachFromPage(Browser& browser, MessagePump& pump,
                                    const profiles::TeachExamples& examples,
                                    std::chrono::milliseconds settle = std::chrono::seconds(3));

// The host a profile taught on the page at the address is named after and suggested for;
// empty for an address without one (a file).
std::string profileHost(std::string_view pageUrl);

}  // namespace quillon::capture
