#pragma once

#include "capture/HtmlDocument.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A document model held in plain vectors, for tests without a browser. Tests build it
// element by element and may change it between calls (as a page changes while messages
// are dispatched); texts handed out stay valid until the element list is changed.

namespace quillon::testing {

using capture::HtmlDocument;
using capture::HtmlElement;
using capture::HtmlElementCollection;

struct FakeElement final : HtmlElement {
  std::u16string tag = u"DIV";
  std::u16string cls;
  std::u16string text;  // innerText
  std::u16string inner;
  std::u16string outer;
  std::u16string elementId;
  std::u16string link;  // href

  std::u16string_view className() const override { return cls; }
  std::u16string_view innerText() const override { return text; }
  std::u16string_view innerHTML() const override { return inner; }
  std::u16string_view outerHTML() const override { return outer; }
  std::u16string_view tagName() const override { return tag; }
  std::u16string_view id() const override { return elementId; }
  std::u16string_view href() const override { return link; }
};

// An element of the given class with its innerText.
inline FakeElement classed(std::u16string cls, std::u16string text) {
  FakeElement e;
  e.cls = std::move(cls);
  e.text = std::move(text);
  return e;
}

// An anchor as a page would show it.
inline FakeElement anchor(std::u16string text, std::u16string inner, std::u16string href,
                          std::u16string id = {}) {
  FakeElement e;
  e.tag.assign(1, u'A');  // (= u"A" trips a false -Wrestrict in GCC 12 at -O3)
  e.text = std::move(text);
  e.inner = std::move(inner);
  e.link = std::move(href);
  e.elementId = std::move(id);
  e.outer.append(u"<a href=\"").append(e.link).append(u"\">").append(e.inner).append(u"</a>");
  return e;
}

class FakeDocument final : public HtmlDocument {
 public:
  // Elements in document order; those from index bodyStart on lie inside the body.
  std::vector<FakeElement> elements;
  std::size_t bodyStart = 0;
  bool html = true;
  bool body = true;

  FakeDocument() : m_all(*this, false), m_body(*this, true) {}
  FakeDocument(const FakeDocument&) = delete;
  FakeDocument& operator=(const FakeDocument&) = delete;

  FakeElement& add(FakeElement element) { return elements.emplace_back(std::move(element)); }

  bool isHtmlDocument() const override { return html; }
  bool hasBody() const override { return body; }
  const HtmlElementCollection& all() const override { return m_all; }
  const HtmlElementCollection& bodyElements() const override { return m_body; }

 private:
  class Collection final : public HtmlElementCollection {
   public:
    Collection(const FakeDocument& doc, bool bodyOnly) : m_doc(doc), m_bodyOnly(bodyOnly) {}
    std::int32_t length() const override {
      return static_cast<std::int32_t>(m_doc.elements.size() - first());
    }
    const HtmlElement* item(std::int32_t index) const override {
      if (index < 0 || index >= length()) return nullptr;
      return &m_doc.elements[first() + static_cast<std::size_t>(index)];
    }

   private:
    std::size_t first() const {
      if (!m_bodyOnly) return 0;
      if (!m_doc.body) return m_doc.elements.size();
      return std::min(m_doc.bodyStart, m_doc.elements.size());
    }
    const FakeDocument& m_doc;
    bool m_bodyOnly;
  };

  Collection m_all;
  Collection m_body;
};

}  // namespace quillon::testing
