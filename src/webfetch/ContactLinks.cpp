#include "webfetch/ContactLinks.h"

#include "text/Ascii.h"
#include "text/TextRules.h"
#include "text/Utf8.h"
#include "url/UrlParts.h"
#include "url/UrlResolution.h"
#include "webfetch/SiteAddress.h"

#include <algorithm>
#include <array>

namespace quillon::webfetch {
namespace {

constexpr std::size_t kMaxLinks = 2;

// In lower case, accents as written.
constexpr std::array<std::u16string_view, 9> kNames = {
    u"contact", u"contacto",  u"contatti",           u"kontakt",  u"nous contacter",
    u"about",   u"chi siamo", u"qui\u00e9nes somos", u"impressum"};

// Lower case for ASCII and the Latin-1 capitals ("QUIÉNES" is "quiénes"); white space of
// any kind as one blank.
std::u16string folded(std::string_view utf8) {
  return text::utf8ToUtf16(text::foldCase(text::collapseWhiteSpace(utf8)));
}

bool namesAPage(std::u16string_view text) {
  return std::any_of(kNames.begin(), kNames.end(), [text](std::u16string_view name) {
    return text.find(name) != std::u16string_view::npos;
  });
}

// The path and query of an address, percent-decoded.
std::string pathOf(std::string_view address) {
  const std::optional<url::UrlParts> parts = url::parseUrl(address);
  if (!parts) return {};
  return text::percentDecoded(parts->query.empty() ? parts->path
                                                   : parts->path + "?" + parts->query);
}

bool addressNamesAPage(std::string_view url) {
  const std::u16string path = folded(pathOf(url));
  std::u16string spaced;
  std::u16string squeezed;
  for (const char16_t c : path) {
    const bool separator = c == u'-' || c == u'_' || c == u'+' || c == u'.' || c == u' ';
    spaced += separator ? u' ' : c;
    if (!separator) squeezed += c;
  }
  if (namesAPage(spaced)) return true;
  return std::any_of(kNames.begin(), kNames.end(), [&squeezed](std::u16string_view name) {
    std::u16string joined(name);
    std::erase(joined, u' ');
    return squeezed.find(joined) != std::u16string::npos;
  });
}

}  // namespace

std::vector<std::string> contactPageLinks(const std::vector<PageLinkText>& links,
                                          std::string_view pageUrl, std::string_view siteHost) {
  std::vector<std::string> chosen;
  const std::string pageHost = url::urlHost(pageUrl);
  for (const PageLinkText& link : links) {
    if (chosen.size() == kMaxLinks) break;
    const std::string_view href = url::withoutFragment(link.href);
    if (!url::isFetchableUrl(href) || href == url::withoutFragment(pageUrl)) continue;
    const std::string host = url::urlHost(href);
    if (!isSameSite(host, siteHost) && !isSameSite(host, pageHost)) continue;
    if (std::find(chosen.begin(), chosen.end(), href) != chosen.end()) continue;
    if (namesAPage(folded(link.text)) || addressNamesAPage(href)) {
      chosen.emplace_back(href);
    }
  }
  return chosen;
}

}  // namespace quillon::webfetch
