#pragma once

#include "capture/RunMode.h"
#include "structured/PageData.h"

#include <set>
#include <string>

namespace quillon::capture {

// A run over any directory that publishes its listings as schema.org data (JSON-LD or
// microdata): the page's listings become rows with the English captions; a summary page's
// entries are read from their detail pages; the next page is found by rel=next or a "next"
// link. A warning is given once per run for each JSON-LD block that does not parse.
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
