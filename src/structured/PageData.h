#pragma once

#include <string>
#include <vector>

// What one page yields for the schema.org reader. The in-page collect script
// (webengine/PageDataScript) and the reader of fetched pages (HtmlPageReader) only gather
// these; every rule about what they mean lives in the core. Texts are UTF-8, elements in
// document order, HTML elements only.

namespace quillon::structured {

// An element that microdata may need: one with an itemscope or itemprop attribute, or one
// whose id some itemref names.
struct MicrodataElement {
  int parent = -1;  // index of the nearest collected ancestor, -1 when there is none
  std::string tag;  // lower case
  bool itemscope = false;
  std::string itemtype, itemprop, itemref, id;  // attribute values as written
  // For an element with a non-empty itemprop and no itemscope, its property value by the HTML
  // rules: meta content; a, area, link href; img, audio, video, source, iframe, embed, track
  // src; object data (addresses absolute); data, meter value; time datetime; else the text
  // content. For an element with itemprop and itemscope, its text content (an address item
  // may hold nothing but text). Empty otherwise.
  std::string value;

  bool operator==(const MicrodataElement&) const = default;
};

// An a or link element.
struct PageLink {
  std::string tag;  // "a" or "link"
  std::string rel;
  std::string href;  // absolute; empty without an href attribute or when it does not resolve
  std::string text;  // an a's visible text, runs of ASCII white space as one blank, trimmed
  std::string ariaLabel, title;

  bool operator==(const PageLink&) const = default;
};

struct PageData {
  std::string url;                  // the page's address
  std::vector<std::string> jsonLd;  // the text of each application/ld+json script
  std::vector<MicrodataElement> microdata;
  std::vector<PageLink> links;
  std::string language;  // the html element's lang attribute, as written

  bool operator==(const PageData&) const = default;
};

}  // namespace quillon::structured
