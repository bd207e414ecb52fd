#pragma once

#include "webfetch/PageContent.h"

#include <string>
#include <string_view>

namespace quillon::webfetch::testing {

// A small stand-in for the HTML parser, enough for the test pages: links are
// <a href="...">text</a> with double quotes, "/path" made absolute against the page's
// origin; the text is the page without tags, scripts and styles, with &amp; &lt; &gt;
// &nbsp; and numeric references decoded.
inline PageContent readTestPage(std::string_view html, std::string_view pageUrl) {
  PageContent content;
  const std::size_t scheme = pageUrl.find("://");
  const std::string_view origin =
      pageUrl.substr(0, pageUrl.find('/', scheme == std::string_view::npos ? 0 : scheme + 3));
  for (std::size_t pos = 0; (pos = html.find("<a ", pos)) != std::string_view::npos;) {
    const std::size_t tagEnd = html.find('>', pos);
    const std::size_t close = html.find("</a>", tagEnd);
    if (tagEnd == std::string_view::npos || close == std::string_view::npos) break;
    const std::string_view tag = html.substr(pos, tagEnd - pos);
    const std::size_t href = tag.find("href=\"");
    if (href != std::string_view::npos) {
      const std::size_t start = href + 6;
      std::string target(tag.substr(start, tag.find('"', start) - start));
      if (target.starts_with('/')) target = std::string(origin) + target;
      content.links.push_back({target, std::string(html.substr(tagEnd + 1, close - tagEnd - 1))});
    }
    pos = close;
  }
  bool inTag = false;
  std::string_view skipUntil;
  for (std::size_t i = 0; i < html.size(); ++i) {
    if (!skipUntil.empty()) {
      if (html.substr(i, skipUntil.size()) == skipUntil) skipUntil = {};
      continue;
    }
    if (html.substr(i, 7) == "<script") skipUntil = "</script>";
    if (html.substr(i, 6) == "<style") skipUntil = "</style>";
    if (html[i] == '<') {
      inTag = true;
      content.text += ' ';
    } else if (html[i] == '>') {
      inTag = false;
    } else if (!inTag) {
      content.text += html[i];
    }
  }
  std::string decoded;
  const std::string& text = content.text;
  for (std::size_t i = 0; i < text.size(); ++i) {
    static constexpr std::pair<std::string_view, std::string_view> kNamed[] = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&nbsp;", "\xC2\xA0"}};
    bool named = false;
    for (const auto& [name, value] : kNamed) {
      if (std::string_view(text).substr(i, name.size()) == name) {
        decoded += value;
        i += name.size() - 1;
        named = true;
        break;
      }
    }
    if (named) continue;
    const std::size_t semicolon = text.find(';', i);
    if (text.compare(i, 2, "&#") == 0 && semicolon != std::string::npos && semicolon - i < 10) {
      const bool hex = text[i + 2] == 'x';
      const unsigned long code =
          std::stoul(text.substr(i + (hex ? 3 : 2), semicolon - i), nullptr, hex ? 16 : 10);
      if (code < 0x80) decoded += static_cast<char>(code);
      i = semicolon;
      continue;
    }
    decoded += text[i];
  }
  content.text = decoded;
  return content;
}

}  // namespace quillon::webfetch::testing
