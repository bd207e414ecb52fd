#include "structured/HtmlNesting.h"

#include "text/Ascii.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>

namespace quillon::structured {
namespace {

constexpr std::array<std::string_view, 32> kNotOpen = {
    "area",  "base",  "br",       "col",      "embed", "hr",  "img", "input",
    "link",  "meta",  "param",    "source",   "track", "wbr", "p",   "li",
    "dt",    "dd",    "option",   "optgroup", "tr",    "td",  "th",  "tbody",
    "thead", "tfoot", "colgroup", "caption",  "rb",    "rt",  "rp",  "!doctype"};

constexpr std::array<std::string_view, 8> kRawText = {"script", "style",  "textarea", "title",
                                                      "xmp",    "iframe", "noembed",  "noframes"};

bool isNameChar(char c) { return text::isAsciiAlphanumeric(c) || c == '-' || c == ':' || c == '!'; }

// The position after the ">" that ends the tag starting at i, quotes respected.
std::size_t tagEnd(std::string_view html, std::size_t i, bool& selfClosing) {
  char quote = 0;
  for (; i < html.size(); ++i) {
    const char c = html[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      selfClosing = i > 0 && html[i - 1] == '/';
      return i + 1;
    }
  }
  return html.size();
}

// The position of "</name" (any case) from i on, or the end.
std::size_t rawTextEnd(std::string_view html, std::size_t i, const std::string& name) {
  while ((i = html.find("</", i)) != std::string_view::npos) {
    if (text::asciiLower(html.substr(i + 2, name.size())) == name) return i;
    i += 2;
  }
  return html.size();
}

}  // namespace

std::uint64_t nestingWork(std::string_view html) {
  std::uint64_t work = 0;
  std::uint64_t depth = 0;
  std::unordered_map<std::string, std::uint64_t> open;
  std::size_t i = 0;
  while ((i = html.find('<', i)) != std::string_view::npos) {
    if (html.substr(i, 4) == "<!--") {
      const std::size_t end = html.find("-->", i + 4);
      i = end == std::string_view::npos ? html.size() : end + 3;
      continue;
    }
    const bool closing = i + 1 < html.size() && html[i + 1] == '/';
    std::size_t nameEnd = i + (closing ? 2 : 1);
    while (nameEnd < html.size() && isNameChar(html[nameEnd])) ++nameEnd;
    const std::size_t nameStart = i + (closing ? 2 : 1);
    if (nameEnd == nameStart) {
      ++i;
      continue;
    }
    const std::string name = text::asciiLower(html.substr(nameStart, nameEnd - nameStart));
    bool selfClosing = false;
    i = tagEnd(html, nameEnd, selfClosing);
    if (closing) {
      if (const auto found = open.find(name); found != open.end() && found->second > 0) {
        --found->second;
        --depth;
      }
      continue;
    }
    work += depth;
    if (!selfClosing && std::find(kNotOpen.begin(), kNotOpen.end(), name) == kNotOpen.end()) {
      ++open[name];
      ++depth;
    }
    if (std::find(kRawText.begin(), kRawText.end(), name) != kRawText.end()) {
      i = rawTextEnd(html, i, name);
    }
  }
  return work;
}

}  // namespace quillon::structured
