#pragma once

#include "profiles/PageTree.h"
#include "text/Ascii.h"
#include "text/TextRules.h"
#include "url/UrlResolution.h"

#include <fstream>
#include <gumbo.h>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

// A page tree made from HTML text the way the browser's collect script makes it from the
// rendered page: <head>, script, style, noscript and template left out; an element's text is
// its text content with white space collapsed (the fixture pages put white space between
// blocks, so that is what the browser shows); href and src absolute. An element with the
// attribute hidden (or style="display:none") is hidden, with everything in it.

namespace quillon::profiles::testing {

class HtmlTree {
 public:
  static PageTree parse(const std::string& html, const std::string& url) {
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size());
    PageTree tree;
    tree.url = url;
    tree.elements.push_back({-1, "html", "", {}, {}, "", false, {}, 0});
    if (const GumboAttribute* lang =
            gumbo_get_attribute(&output->root->v.element.attributes, "lang")) {
      tree.language = lang->value;
    }
    tree.canonical = canonicalOf(output->root, url);
    walk(output->root, 0, false, tree);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
    // Depth and children as the decoder fills them.
    return decodePageTree(encodePageTree(tree));
  }

  static PageTree file(const std::string& path, const std::string& url) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("no fixture " + path);
    return parse(std::string((std::istreambuf_iterator<char>(in)), {}), url);
  }

 private:
  // The href of the first <link rel="canonical">, absolute.
  static std::string canonicalOf(const GumboNode* node, const std::string& url) {
    if (node->type != GUMBO_NODE_ELEMENT) return {};
    if (node->v.element.tag == GUMBO_TAG_LINK) {
      const GumboAttribute* rel = gumbo_get_attribute(&node->v.element.attributes, "rel");
      const GumboAttribute* href = gumbo_get_attribute(&node->v.element.attributes, "href");
      if (rel != nullptr && href != nullptr && text::asciiLower(rel->value) == "canonical") {
        return url::resolveUrl(url, href->value);
      }
    }
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
      std::string found = canonicalOf(static_cast<const GumboNode*>(children.data[i]), url);
      if (!found.empty()) return found;
    }
    return {};
  }

  static std::string textOf(const GumboNode* node) {
    if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE) {
      return std::string(node->v.text.text) + " ";
    }
    if (node->type != GUMBO_NODE_ELEMENT || skipped(node)) return {};
    std::string text;
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
      text += textOf(static_cast<const GumboNode*>(children.data[i]));
    }
    return text;
  }

  static bool skipped(const GumboNode* node) {
    if (node->type != GUMBO_NODE_ELEMENT) return true;
    switch (node->v.element.tag) {
      case GUMBO_TAG_HEAD:
      case GUMBO_TAG_SCRIPT:
      case GUMBO_TAG_STYLE:
      case GUMBO_TAG_NOSCRIPT:
        return true;
      default:
        return false;
    }
  }

  static void walk(const GumboNode* node, int parent, bool hidden, PageTree& tree) {
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
      const auto* child = static_cast<const GumboNode*>(children.data[i]);
      if (skipped(child)) continue;
      const GumboElement& element = child->v.element;
      TreeElement out;
      out.parent = parent;
      out.tag = gumbo_normalized_tagname(element.tag);
      bool childHidden = hidden;
      for (unsigned a = 0; a < element.attributes.length; ++a) {
        const auto* attribute = static_cast<const GumboAttribute*>(element.attributes.data[a]);
        const std::string name = attribute->name;
        std::string value = attribute->value;
        if (name == "class") {
          for (auto token : text::asciiTokens(value)) out.classes.emplace_back(token);
        } else if (name == "id") {
          out.id = value;
        } else if (name == "hidden" ||
                   (name == "style" && value.find("none") != std::string::npos)) {
          childHidden = true;
        } else if (name != "style") {
          if (name == "href" || name == "src") value = url::resolveUrl(tree.url, value);
          out.attributes.emplace_back(name, value);
        }
      }
      out.hidden = childHidden;
      if (!childHidden) out.text = text::collapseWhiteSpace(textOf(child));
      const int at = static_cast<int>(tree.elements.size());
      tree.elements.push_back(std::move(out));
      walk(child, at, childHidden, tree);
    }
  }
};

// A fixture page of the profile site as a tree, with its address on a made-up host.
inline PageTree fixturePage(const std::string& name) {
  return HtmlTree::file(std::string(QUILLON_FIXTURES) + "/profile/" + name,
                        "http://guia.example/profile/" + name);
}

// The page as it shows after every "Ver teléfono" button was clicked: the button becomes
// the a.card__phone link that the site's script puts in its place.
inline void revealPhones(PageTree& tree, const std::map<std::string, std::string>& phones) {
  for (TreeElement& element : tree.elements) {
    if (!element.hasClass("card__reveal")) continue;
    int card = element.parent;
    while (card >= 0 && !tree.elements[static_cast<std::size_t>(card)].hasClass("card")) {
      card = tree.elements[static_cast<std::size_t>(card)].parent;
    }
    const std::string* id = tree.elements[static_cast<std::size_t>(card)].attribute("data-listing");
    const std::string phone = phones.at(*id);
    std::string digits;
    for (const char c : phone) {
      if (c != ' ') digits += c;
    }
    element.tag = "a";
    element.classes = {"card__phone"};
    element.attributes = {{"href", "tel:+34" + digits}};
    element.text = "Tel. " + phone;
  }
}

// A page of tests/fixtures/real as a tree.
inline PageTree realPage(const std::string& name, const std::string& url) {
  return HtmlTree::file(std::string(QUILLON_FIXTURES) + "/real/" + name, url);
}

// The Mexican fixture page (its "load more" listings too, when asked) as it shows after every
// "Mostrar número" button was clicked: the button becomes the a.listing__phone link that the
// page's script puts in its place.
inline PageTree revealedTaquerias(bool more = false) {
  const std::map<std::string, std::string> phones = {
      {"1001", "55 5264 1234"}, {"1002", "55 5575 2200"}, {"1003", "55 5658 3300"},
      {"1004", "55 5518 4400"}, {"1005", "55 5207 5500"}, {"1006", "55 5264 6600"},
      {"1007", "55 5271 7700"}};
  std::ifstream in(std::string(QUILLON_FIXTURES) + "/real/mx-taquerias.html", std::ios::binary);
  std::string html((std::istreambuf_iterator<char>(in)), {});
  if (more) {
    for (const std::string tag : {"<template id=\"more-listings\">", "</template>"}) {
      html.replace(html.find(tag), tag.size(), "");
    }
  }
  PageTree tree =
      HtmlTree::parse(html, "https://www.directorio-mx.example/ciudad-de-mexico/taquerias");
  for (TreeElement& element : tree.elements) {
    if (!element.hasClass("listing__reveal")) continue;
    int card = element.parent;
    while (!tree.elements[static_cast<std::size_t>(card)].hasClass("listing")) {
      card = tree.elements[static_cast<std::size_t>(card)].parent;
    }
    const std::string phone =
        phones.at(*tree.elements[static_cast<std::size_t>(card)].attribute("data-listing-id"));
    element.tag = "a";
    element.classes = {"listing__phone"};
    element.attributes = {{"href", "tel:+52" + phone}};
    element.text = phone;
  }
  return tree;
}

}  // namespace quillon::profiles::testing
