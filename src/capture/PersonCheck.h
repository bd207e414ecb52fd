#pragma once

#include "capture/PageSigns.h"

#include <string>

namespace quillon::capture {

// What makes a page without listings a check for a person (a bot wall, an interstitial, a
// CAPTCHA), in words for the user: the phrase of its text, as "\"Verify you are human\"",
// or the widget, as "a reCAPTCHA widget"; empty when nothing does. Phrases are English,
// Spanish, Italian, French and German, matched without regard to case and spacing; those
// that ordinary pages say too ("Just a moment", "Access denied") count only on a page with
// little text. A page with listings is never a check: callers ask only of pages without.
std::string recognisePersonCheck(const PageSigns& signs);

}  // namespace quillon::capture
