#pragma once

#include "capture/RunMode.h"
#include "parsers/Site.h"

namespace quillon::capture {

struct CaptureSite;

// A run of one of the four built-in directories: the Spanish phone reveal, the site's page
// walker and rule set, the Italian e-mail lookups, and the site's next-page link texts.
class BuiltInSiteMode final : public RunMode {
 public:
  explicit BuiltInSiteMode(parsers::Site site);

  results::CaptionSet captions() const override;
  std::string_view countSuffix() const override;
  std::string code() const override;
  bool looksUpListingPages() const override;
  int emailColumn() const override;
  PageReading readPage(RunContext& context) override;
  PageTurn turnPage(RunContext& context) override;

 private:
  parsers::Site m_site;
  const CaptureSite& m_setup;
};

}  // namespace quillon::capture
