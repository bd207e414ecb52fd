#include "structured/HtmlPageReader.h"

#include "structured/HtmlNesting.h"
#include "structured/StructuredDataError.h"
#include "text/Ascii.h"
#include "text/TextRules.h"
#include "text/Utf8.h"
#include "url/UrlResolution.h"

#include <gumbo.h>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quillon::structured {
namespace {

struct OutputDeleter {
  void operator()(GumboOutput* output) const {
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
};

bool isElement(const GumboNode* node) {
  return node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE;
}

// In a browser a template's contents are not part of the document, and with scripts on a
// noscript element holds text, not elements.
bool hidesContents(const GumboNode* node) {
  return node->type == GUMBO_NODE_TEMPLATE || node->v.element.tag == GUMBO_TAG_NOSCRIPT;
}

bool isHtmlElement(const GumboNode* node) {
  return isElement(node) && node->v.element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

const char* attribute(const GumboNode* node, const char* name) {
  const GumboAttribute* found = gumbo_get_attribute(&node->v.element.attributes, name);
  return found == nullptr ? nullptr : found->value;
}

std::string attributeText(const GumboNode* node, const char* name) {
  const char* value = attribute(node, name);
  return value == nullptr ? std::string() : std::string(value);
}

std::string tagName(const GumboNode* node) {
  const GumboElement& element = node->v.element;
  if (element.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(element.tag);
  GumboStringPiece name = element.original_tag;
  if (name.data == nullptr || name.length == 0) return {};
  gumbo_tag_from_original_text(&name);
  return text::asciiLower(std::string_view(name.data, name.length));
}

void pushChildren(const GumboNode* node, std::vector<const GumboNode*>& stack) {
  const GumboVector& children =
      node->type == GUMBO_NODE_DOCUMENT ? node->v.document.children : node->v.element.children;
  for (unsigned int i = children.length; i-- > 0;) {
    stack.push_back(static_cast<const GumboNode*>(children.data[i]));
  }
}

bool isBlock(GumboTag tag) {
  switch (tag) {
    case GUMBO_TAG_BR:
    case GUMBO_TAG_P:
    case GUMBO_TAG_DIV:
    case GUMBO_TAG_LI:
    case GUMBO_TAG_UL:
    case GUMBO_TAG_OL:
    case GUMBO_TAG_DL:
    case GUMBO_TAG_DT:
    case GUMBO_TAG_DD:
    case GUMBO_TAG_H1:
    case GUMBO_TAG_H2:
    case GUMBO_TAG_H3:
    case GUMBO_TAG_H4:
    case GUMBO_TAG_H5:
    case GUMBO_TAG_H6:
    case GUMBO_TAG_TABLE:
    case GUMBO_TAG_TR:
    case GUMBO_TAG_TD:
    case GUMBO_TAG_TH:
    case GUMBO_TAG_SECTION:
    case GUMBO_TAG_ARTICLE:
    case GUMBO_TAG_HEADER:
    case GUMBO_TAG_FOOTER:
    case GUMBO_TAG_NAV:
    case GUMBO_TAG_ADDRESS:
    case GUMBO_TAG_BLOCKQUOTE:
    case GUMBO_TAG_PRE:
    case GUMBO_TAG_HR:
      return true;
    default:
      return false;
  }
}

bool isUnrendered(const GumboNode* node) {
  switch (node->v.element.tag) {
    case GUMBO_TAG_SCRIPT:
    case GUMBO_TAG_STYLE:
    case GUMBO_TAG_NOSCRIPT:
      return true;
    default:
      return attribute(node, "hidden") != nullptr;
  }
}

// The text of the node's descendants (textContent), or an approximation of what a browser
// shows of them (innerText). Template contents are not part of the document in a browser.
std::string textOf(const GumboNode* root, bool visible) {
  std::string out;
  std::vector<const GumboNode*> stack;
  pushChildren(root, stack);
  while (!stack.empty()) {
    const GumboNode* node = stack.back();
    stack.pop_back();
    if (node == nullptr) {
      out += ' ';  // the end of a block
    } else if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE ||
               node->type == GUMBO_NODE_CDATA) {
      out += node->v.text.text;
    } else if (node->type == GUMBO_NODE_ELEMENT && !(visible && isUnrendered(node))) {
      const bool block = visible && isBlock(node->v.element.tag);
      if (block) {
        out += ' ';
        stack.push_back(nullptr);
      }
      pushChildren(node, stack);
    }
  }
  return out;
}

std::string jsonLdType(const GumboNode* script) {
  std::string_view type = attribute(script, "type") == nullptr ? "" : attribute(script, "type");
  type = type.substr(0, type.find(';'));
  while (!type.empty() && text::isAsciiSpace(type.front())) type.remove_prefix(1);
  while (!type.empty() && text::isAsciiSpace(type.back())) type.remove_suffix(1);
  return text::asciiLower(type);
}

class PageCollector {
 public:
  PageCollector(const GumboNode* document, std::string_view pageUrl);
  PageData collect();

 private:
  void collectElement(const GumboNode* node, int& ancestor);
  std::string address(const GumboNode* node, const char* name) const;
  std::string itemValue(const GumboNode* node, const std::string& tag) const;

  const GumboNode* m_document;
  PageData m_page;
  std::string m_base;
  std::set<std::string, std::less<>> m_referenced;  // ids that some itemref names
};

PageCollector::PageCollector(const GumboNode* document, std::string_view pageUrl)
    : m_document(document) {
  m_page.url = pageUrl;
  m_base = m_page.url;
  bool haveBase = false;
  std::vector<const GumboNode*> stack;
  pushChildren(document, stack);
  while (!stack.empty()) {
    const GumboNode* node = stack.back();
    stack.pop_back();
    if (!isElement(node)) continue;
    if (!hidesContents(node)) pushChildren(node, stack);
    if (!isHtmlElement(node)) continue;
    if (const char* refs = attribute(node, "itemref")) {
      for (const std::string_view id : text::asciiTokens(refs)) m_referenced.emplace(id);
    }
    const char* href = attribute(node, "href");
    if (!haveBase && href != nullptr && node->v.element.tag == GUMBO_TAG_BASE) {
      haveBase = true;
      const std::string base = url::resolveUrl(m_page.url, href);
      if (!base.empty()) m_base = base;
    }
  }
}

PageData PageCollector::collect() {
  for (unsigned i = 0; i < m_document->v.document.children.length; ++i) {
    const auto* child = static_cast<const GumboNode*>(m_document->v.document.children.data[i]);
    if (isHtmlElement(child) && child->v.element.tag == GUMBO_TAG_HTML) {
      m_page.language = attributeText(child, "lang");
    }
  }
  std::vector<std::pair<const GumboNode*, int>> stack;  // a node and its nearest collected ancestor
  std::vector<const GumboNode*> children;
  pushChildren(m_document, children);
  for (const GumboNode* child : children) stack.emplace_back(child, -1);
  while (!stack.empty()) {
    auto [node, ancestor] = stack.back();
    stack.pop_back();
    if (!isElement(node)) continue;
    if (isHtmlElement(node)) collectElement(node, ancestor);
    if (hidesContents(node)) continue;
    children.clear();
    pushChildren(node, children);
    for (const GumboNode* child : children) stack.emplace_back(child, ancestor);
  }
  return std::move(m_page);
}

// Adds what the element gives; ancestor becomes its index when it is collected.
void PageCollector::collectElement(const GumboNode* node, int& ancestor) {
  const std::string tag = tagName(node);
  if (tag == "script" && jsonLdType(node) == "application/ld+json") {
    m_page.jsonLd.push_back(textOf(node, false));
  }
  const char* id = attribute(node, "id");
  const char* itemprop = attribute(node, "itemprop");
  const bool itemscope = attribute(node, "itemscope") != nullptr;
  if (itemscope || itemprop != nullptr || (id != nullptr && m_referenced.count(id) > 0)) {
    MicrodataElement e;
    e.parent = ancestor;
    e.tag = tag;
    e.itemscope = itemscope;
    e.itemtype = attributeText(node, "itemtype");
    e.itemprop = attributeText(node, "itemprop");
    e.itemref = attributeText(node, "itemref");
    e.id = attributeText(node, "id");
    if (!e.itemprop.empty()) e.value = itemscope ? textOf(node, false) : itemValue(node, tag);
    ancestor = static_cast<int>(m_page.microdata.size());
    m_page.microdata.push_back(std::move(e));
  }
  if (tag == "a" || tag == "link") {
    m_page.links.push_back(PageLink{tag, attributeText(node, "rel"), address(node, "href"),
                                    tag == "a" ? text::collapseAsciiSpace(textOf(node, true)) : "",
                                    attributeText(node, "aria-label"),
                                    attributeText(node, "title")});
  }
}

std::string PageCollector::address(const GumboNode* node, const char* name) const {
  const char* value = attribute(node, name);
  return value == nullptr ? std::string() : url::resolveUrl(m_base, value);
}

std::string PageCollector::itemValue(const GumboNode* node, const std::string& tag) const {
  if (tag == "meta") return attributeText(node, "content");
  if (tag == "a" || tag == "area" || tag == "link") return address(node, "href");
  if (tag == "img" || tag == "audio" || tag == "video" || tag == "source" || tag == "iframe" ||
      tag == "embed" || tag == "track") {
    return address(node, "src");
  }
  if (tag == "object") return address(node, "data");
  if (tag == "data" || tag == "meter") return attributeText(node, "value");
  if (tag == "time" && attribute(node, "datetime") != nullptr) {
    return attributeText(node, "datetime");
  }
  return textOf(node, false);
}

// A page's bytes read as UTF-8 or, when they are not, as cp1252, and parsed. The tree
// points into the text, so the two stay together, where they were made.
class ParsedPage {
 public:
  ParsedPage(std::string_view html, std::string_view pageUrl) {
    if (html.substr(0, 3) == "\xEF\xBB\xBF") html.remove_prefix(3);
    m_utf8 = text::utf8OrCp1252(html);
    if (nestingWork(m_utf8) > kMaxNestingWork) {
      throw StructuredDataError("The page " + std::string(pageUrl) +
                                " nests its elements too deeply to be read");
    }
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;  // the parse errors are of no use here
    m_output.reset(gumbo_parse_with_options(&options, m_utf8.data(), m_utf8.size()));
    if (!m_output) {
      throw StructuredDataError("The page " + std::string(pageUrl) + " cannot be parsed");
    }
  }
  ParsedPage(const ParsedPage&) = delete;
  ParsedPage& operator=(const ParsedPage&) = delete;

  const GumboOutput& output() const { return *m_output; }

 private:
  std::string m_utf8;
  std::unique_ptr<GumboOutput, OutputDeleter> m_output;
};

}  // namespace

PageData readHtmlPage(std::string_view html, std::string_view pageUrl) {
  const ParsedPage page(html, pageUrl);
  return PageCollector(page.output().document, pageUrl).collect();
}

ShownPage readShownPage(std::string_view html, std::string_view pageUrl) {
  const ParsedPage page(html, pageUrl);
  ShownPage shown;
  for (PageLink& link : PageCollector(page.output().document, pageUrl).collect().links) {
    if (link.tag == "a" && !link.href.empty()) shown.links.push_back(std::move(link));
  }
  shown.text = text::collapseAsciiSpace(textOf(page.output().root, true));
  return shown;
}

}  // namespace quillon::structured
