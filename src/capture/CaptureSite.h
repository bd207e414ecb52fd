#pragma once

#include "parsers/Site.h"
#include "results/TableColumns.h"

#include <array>
#include <string_view>

namespace quillon::capture {

// The points in which the four directories' capture runs differ.
struct CaptureSite {
  results::CaptionSet captions;
  bool phoneReveal;               // follow the "Teléfono" links before reading the page
  bool emailLookup;               // fetch each new row's web page for an e-mail address
  std::string_view statusSuffix;  // after the row count in the count panel
  // The next-page link texts, tried in order until one is followed (cp1252).
  std::array<std::string_view, 2> linkTexts;
};

const CaptureSite& captureSite(parsers::Site site);

}  // namespace quillon::capture
