#include "webfetch/ContactLinks.h"

#include "text/Utf8.h"
#include "webfetch/HttpFetcher.h"
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
std::u16string folded(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
      c = static_cast<char16_t>(c + 0x20);
    }
    const bool blank = c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0xA0;
    if (blank) {
      if (!out.empty() && out.back() != u' ') out += u' ';
    } else {
      out += c;
    }
  }
  return out;
}

bool namesAPage(std::u16string_view text) {
  return std::any_of(kNames.begin(), kNames.end(), [text](std::u16string_view name) {
    return text.find(name) != std::u16string_view::npos;
  });
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The path and query of an address, percent-decoded.
std::string pathOf(std::string_view url) {
  const std::size_t scheme = url.find("://");
  if (scheme == std::string_view::npos) return {};
  std::string_view rest = url.substr(scheme + 3);
  const std::size_t path = rest.find_first_of("/?");
  if (path == std::string_view::npos) return {};
  rest = rest.substr(path);
  std::string out;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size() && hexValue(rest[i + 1]) >= 0 &&
        hexValue(rest[i + 2]) >= 0) {
      out += static_cast<char>(hexValue(rest[i + 1]) * 16 + hexValue(rest[i + 2]));
      i += 2;
    } else {
      out += rest[i];
    }
  }
  return out;
}

bool addressNamesAPage(std::string_view url) {
  const std::u16string path = folded(text::utf8ToUtf16(pathOf(url)));
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

std::string_view withoutFragment(std::string_view url) { return url.substr(0, url.find('#')); }

}  // namespace

std::vector<std::string> contactPageLinks(const std::vector<PageLinkText>& links,
                                          std::string_view pageUrl, std::string_view siteHost) {
  std::vector<std::string> chosen;
  const std::string pageHost = urlHost(pageUrl);
  for (const PageLinkText& link : links) {
    if (chosen.size() == kMaxLinks) break;
    const std::string_view href = withoutFragment(link.href);
    if (!isFetchableUrl(href) || href == withoutFragment(pageUrl)) continue;
    const std::string host = urlHost(href);
    if (!isSameSite(host, siteHost) && !isSameSite(host, pageHost)) continue;
    if (std::find(chosen.begin(), chosen.end(), href) != chosen.end()) continue;
    if (namesAPage(folded(text::utf8ToUtf16(link.text))) || addressNamesAPage(href)) {
      chosen.emplace_back(href);
    }
  }
  return chosen;
}

}  // namespace quillon::webfetch
