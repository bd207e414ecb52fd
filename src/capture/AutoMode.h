#pragma once

#include "capture/RunMode.h"
#include "structured/PageData.h"

#include <set>
#include <string>

namespace quillon::capture {

// A run over any directory: on each page, the listings of its schema.org data (JSON-LD or
// microdata) and the listing cards that detection finds on it (DetectedCards: a run of the
// detected profile, with its "load more" and reveal clicks), one row per business
// (unionByBusiness). The rows have the English captions; a summary page's entries are read
// from their detail pages; the next page is found by rel=next or a "next" link. A page where
// neither gives a listing ends the run: "page N has no listings". A warning is given once per
// run for each JSON-LD block that does not parse.
class AutoMode final : public RunMode {
 public:
  results::CaptionSet captions() const override;
  std::string_view countSuffix() const override;
  std::string code() const override { return "auto"; }
  PageReading readPage(RunContext& context) override;
  PageTurn turnPage(RunContext& context) override;

 private:
  structured::PageData m_page;  // the page read last
  std::set<std::string> m_warned;
};

}  // namespace quillon::capture
