#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::webfetch {

// One link of a page: its address made absolute against the page's address, and the text
// it shows (UTF-8).
struct PageLinkText {
  std::string href;
  std::string text;
};

// What an HTML page shows, as an HTML parser reads it (UTF-8).
struct PageContent {
  // Every <a href> of the page, in document order.
  std::vector<PageLinkText> links;
  // The visible text: tags, scripts and styles stripped, character references decoded,
  // blocks separated by white space. Never the addresses of links.
  std::string text;
};

// Reads a page (UTF-8 HTML) fetched from pageUrl (the address after redirects).
using PageReader = std::function<PageContent(std::string_view html, std::string_view pageUrl)>;

}  // namespace quillon::webfetch
