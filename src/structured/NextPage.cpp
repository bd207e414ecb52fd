#include "structured/NextPage.h"

#include "text/Ascii.h"
#include "text/TextRules.h"
#include "url/UrlResolution.h"

#include <array>
#include <string_view>

namespace quillon::structured {
namespace {

constexpr std::array<std::string_view, 17> kNextWords = {"next",
                                                         "next page",
                                                         "siguiente",
                                                         "página siguiente",
                                                         "pagina siguiente",
                                                         "successiva",
                                                         "pagina successiva",
                                                         "avanti",
                                                         "suivant",
                                                         "suivante",
                                                         "page suivante",
                                                         "weiter",
                                                         "nächste",
                                                         "nächste seite",
                                                         "volgende",
                                                         "próxima",
                                                         "seguinte"};

constexpr std::array<std::string_view, 4> kArrows = {"›", "»", ">", "→"};

bool peelArrow(std::string& text, bool front) {
  for (const std::string_view arrow : kArrows) {
    const std::size_t size = arrow.size();
    if (text.size() < size) continue;
    const std::size_t at = front ? 0 : text.size() - size;
    if (std::string_view(text).substr(at, size) == arrow) {
      text.erase(at, size);
      return true;
    }
  }
  return false;
}

// The text as compared with the words: collapsed, lower case, arrows at both ends removed.
std::string comparable(std::string_view text) {
  std::string out = text::foldCase(text::collapseWhiteSpace(text));
  for (bool peeled = true; peeled;) {
    peeled = peelArrow(out, true) || peelArrow(out, false);
    out = text::collapseWhiteSpace(out);
  }
  return out;
}

bool isNextWord(std::string_view text) {
  if (text.empty()) return false;
  const std::string words = comparable(text);
  for (const std::string_view word : kNextWords) {
    if (words == word) return true;
  }
  return false;
}

bool hasNextRel(const PageLink& link) {
  for (const std::string_view token : text::asciiTokens(link.rel)) {
    if (text::asciiLower(token) == "next") return true;
  }
  return false;
}

class AddressFilter {
 public:
  AddressFilter(const PageData& page, const std::set<std::string>& readAddresses)
      : m_page(url::withoutFragment(page.url)) {
    for (const std::string& address : readAddresses) {
      m_read.emplace(url::withoutFragment(address));
    }
  }

  bool usable(std::string_view href) const {
    const std::string_view address = url::withoutFragment(href);
    if (address.empty() || address == m_page) return false;
    if (text::asciiLower(address.substr(0, 11)) == "javascript:") return false;
    return m_read.find(address) == m_read.end();
  }

 private:
  std::string_view m_page;
  std::set<std::string, std::less<>> m_read;
};

}  // namespace

std::optional<std::string> findNextPage(const PageData& page,
                                        const std::set<std::string>& readAddresses) {
  const AddressFilter filter(page, readAddresses);
  for (const PageLink& link : page.links) {
    if ((link.tag == "a" || link.tag == "link") && hasNextRel(link) && filter.usable(link.href)) {
      return link.href;
    }
  }
  for (const PageLink& link : page.links) {
    if (link.tag != "a" || !filter.usable(link.href)) continue;
    if (isNextWord(link.text) || isNextWord(link.ariaLabel) || isNextWord(link.title)) {
      return link.href;
    }
  }
  return std::nullopt;
}

}  // namespace quillon::structured
