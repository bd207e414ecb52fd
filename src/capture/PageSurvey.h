#pragma once

#include "profiles/Teacher.h"
#include "structured/Extraction.h"

#include <array>
#include <optional>
#include <string>

namespace quillon::capture {

// What "Capture any site" sees on a page before a run: the listings of its schema.org data,
// the cards that detection finds, and the rows they make together (unionByBusiness).
struct PageSurvey {
  int structured = 0;    // schema.org listings (or a summary page's entries)
  int cards = 0;         // detected cards
  int listings = 0;      // rows, one per business
  bool summary = false;  // the structured listings are a summary page's entries
  std::array<bool, structured::kColumnCount> columns{};  // filled in at least one row
};

PageSurvey surveyPage(const structured::Extraction& extraction,
                      const profiles::TeachResult& detection);

// The window's hint: "35 listings found: Name, Telephone, Street, Postal code, Locality, Web",
// "1 listing found: Name, Telephone", or "no listings found on this page".
std::string surveyHint(const PageSurvey& survey);

// Where the listings come from, as `quillon-cli listings` says it: "structured data (4
// listings)", "detection (35 cards)", "structured data (3 listings) and detection (4 cards),
// 4 businesses", or "no listings found on this page".
std::string surveySources(const PageSurvey& survey);

class Browser;

// The survey of the page the browser shows, as it shows it (nothing is clicked); nothing when
// the page cannot be read (a page still loading, an error page of the engine).
std::optional<PageSurvey> surveyShownPage(Browser& browser);

}  // namespace quillon::capture
