#include "structured/PageContext.h"

#include "fields/Country.h"
#include "text/Ascii.h"

namespace quillon::structured {
namespace {

bool relHas(std::string_view rel, std::string_view word) {
  for (const std::string_view token : text::asciiTokens(rel)) {
    if (text::equalsNoCase(token, word)) return true;
  }
  return false;
}

}  // namespace

std::string canonicalUrl(const PageData& page) {
  for (const PageLink& link : page.links) {
    if (!link.href.empty() && relHas(link.rel, "canonical")) return link.href;
  }
  return {};
}

fields::DirectoryHosts directoryHosts(const PageData& page) {
  fields::DirectoryHosts hosts(page.url, canonicalUrl(page));
  for (const PageLink& link : page.links) {
    if (link.tag == "link" && relHas(link.rel, "alternate")) hosts.addUrl(link.href);
  }
  return hosts;
}

fields::PageContext pageContextOf(const PageData& page) {
  const std::string canonical = canonicalUrl(page);
  return {fields::pageCountry(
              {.pageUrl = page.url, .canonicalUrl = canonical, .language = page.language}),
          directoryHosts(page)};
}

}  // namespace quillon::structured
