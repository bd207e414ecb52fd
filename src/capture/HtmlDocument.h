#pragma once

#include <cstdint>
#include <string_view>

// The document model that the page walkers, the page turner and the phone reveal read.
// Every text is wide (UTF-16) and stays valid as long as the document object that
// handed it out lives. Implementations: the Qt WebEngine snapshot and the test fake.

namespace quillon::capture {

// One element of the document.
class HtmlElement {
 public:
  virtual ~HtmlElement() = default;

  // The whole class attribute as written ("org orange" stays one text).
  virtual std::u16string_view className() const = 0;
  // Rendered text of the element and its descendants.
  virtual std::u16string_view innerText() const = 0;
  // Markup inside the element; outerHTML adds the element's own tags.
  virtual std::u16string_view innerHTML() const = 0;
  virtual std::u16string_view outerHTML() const = 0;
  // Tag name in upper case ("A" for a link).
  virtual std::u16string_view tagName() const = 0;
  virtual std::u16string_view id() const = 0;
  // The link target of an anchor, absolute, as Navigate accepts it; the source address of
  // an IFRAME or SCRIPT element; empty otherwise.
  virtual std::u16string_view href() const = 0;
};

// An ordered list of elements (document order).
class HtmlElementCollection {
 public:
  virtual ~HtmlElementCollection() = default;

  virtual std::int32_t length() const = 0;
  // The element at a 0-based index; nullptr when the index is negative or not below
  // the current length (the document may have become shorter).
  virtual const HtmlElement* item(std::int32_t index) const = 0;
};

// A loaded document as the browser reports it.
class HtmlDocument {
 public:
  virtual ~HtmlDocument() = default;

  // False for an empty document or one that is not HTML (plain text, an image).
  virtual bool isHtmlDocument() const = 0;
  // False when the document has no body element.
  virtual bool hasBody() const = 0;
  // Every element of the document, in document order.
  virtual const HtmlElementCollection& all() const = 0;
  // Every element inside the body, nested ones included, in document order: what the
  // body answers for its elements by the tag name "*". Empty when there is no body.
  virtual const HtmlElementCollection& bodyElements() const = 0;
};

}  // namespace quillon::capture
