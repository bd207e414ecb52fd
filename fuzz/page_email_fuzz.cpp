// The e-mail of a website's page and the choice of its contact pages, on arbitrary links,
// text and raw HTML: they end, raise nothing, every address is one the e-mail finder gives
// back whole, and every page chosen is an http address of the same site.

#include "FuzzSupport.h"
#include "parsers/Finders.h"
#include "text/Utf8.h"
#include "url/UrlParts.h"
#include "webfetch/ContactLinks.h"
#include "webfetch/PageEmail.h"
#include "webfetch/SiteAddress.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillon::webfetch;
  using quillon::url::isFetchableUrl;
  using quillon::url::urlHost;
  quillon::fuzz::ByteReader reader(quillon::fuzz::bytesOf(data, size));
  const std::string pageUrl(reader.text(48));
  PageContent content;
  for (std::size_t links = reader.below(5); links > 0; --links) {
    const std::string href(reader.text(64));
    content.links.push_back({href, std::string(reader.text(32))});
  }
  content.text = reader.text(255);
  const std::string_view html = reader.rest();

  const std::string email = findPageEmail(html, content);
  if (!email.empty()) {
    FUZZ_CHECK(quillon::parsers::FindEmail(email) == email);
    FUZZ_CHECK(std::all_of(email.begin(), email.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
  }

  const std::string utf8 = quillon::text::utf8OrCp1252(html);
  FUZZ_CHECK(quillon::text::utf16ToUtf8(quillon::text::utf8ToUtf16(utf8)) == utf8);

  const std::string home = websiteHomeUrl(pageUrl);
  if (!home.empty()) FUZZ_CHECK(!urlHost(home).empty());
  const std::string site = urlHost(home);
  const std::vector<std::string> chosen = contactPageLinks(content.links, pageUrl, site);
  FUZZ_CHECK(chosen.size() <= 2);
  for (const std::string& link : chosen) {
    FUZZ_CHECK(isFetchableUrl(link));
    FUZZ_CHECK(link.find('#') == std::string::npos);
    FUZZ_CHECK(isSameSite(urlHost(link), site) || isSameSite(urlHost(link), urlHost(pageUrl)));
  }
  return 0;
}
