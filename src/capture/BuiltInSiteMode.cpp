#include "capture/BuiltInSiteMode.h"

#include "capture/Browser.h"
#include "capture/CaptureSite.h"
#include "capture/PageRows.h"
#include "capture/PageSignature.h"
#include "capture/PageTurning.h"
#include "capture/PageWalker.h"
#include "text/Cp1252.h"
#include "text/Utf8.h"

#include <memory>

namespace quillon::capture {

BuiltInSiteMode::BuiltInSiteMode(parsers::Site site) : m_site(site), m_setup(captureSite(site)) {}

results::CaptionSet BuiltInSiteMode::captions() const { return m_setup.captions; }

std::string_view BuiltInSiteMode::countSuffix() const { return m_setup.statusSuffix; }

std::string BuiltInSiteMode::code() const { return std::string(parsers::siteCode(m_site)); }

bool BuiltInSiteMode::looksUpListingPages() const { return m_setup.emailLookup; }

int BuiltInSiteMode::emailColumn() const {
  // Only the Canadian rows carry an e-mail of their own (in column 7); the Italian lookup
  // appends one.
  return m_site == parsers::Site::CA ? 7 : m_site == parsers::Site::IT ? 9 : -1;
}

PageReading BuiltInSiteMode::readPage(RunContext& context) {
  if (m_setup.phoneReveal) {
    TogglePhones(context.browser, context.downloadBusy, context.progress, context.pump);
  }
  const std::shared_ptr<const HtmlDocument> document = context.browser.Document();
  std::string pageText;
  walkPage(m_site, document.get(), pageText, context.progress);
  PageReading reading;
  reading.signature = textSignature(pageText);
  reading.signs = [document] { return documentSigns(document.get()); };
  reading.addRows = [this, &context, page = text::cp1252ToUtf16(pageText)] {
    return addPageRows(m_site, page, context.table, context.rowAdded);
  };
  return reading;
}

PageTurn BuiltInSiteMode::turnPage(RunContext& context) {
  PageTurn turn;
  for (std::string_view linkText : m_setup.linkTexts) {
    if (linkText.empty()) break;
    std::u16string address;
    if (TurnPage(context.browser, linkText, &address)) {
      turn.followed = true;
      turn.address = text::utf16ToUtf8(address);
      turn.linkText = text::cp1252ToUtf8(linkText);
      return turn;
    }
  }
  turn.endReason = "no next page";
  return turn;
}

}  // namespace quillon::capture
