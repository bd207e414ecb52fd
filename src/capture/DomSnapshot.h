#pragma once

#include "capture/HtmlDocument.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::capture {

// A document as one script evaluation saw it: every element in document order, each with
// the texts that the snapshot scope asked for. Plain C++, so it is parsed and tested
// without a browser.
//
// Wire format (what the snapshot script returns): a header "HTML,BODY,START,COUNT,N;"
// (flags 0/1; the body's elements are the COUNT elements from index START on; N
// elements in all), then seven fields per element: tag, class, id, innerText,
// innerHTML, outerHTML, href (an IFRAME's or SCRIPT's src there). A field is its length in UTF-16
// code units, ":" and the text, or "-" when the text was not taken.
class DomSnapshot final : public HtmlDocument {
 public:
  // Throws CaptureError when the data does not follow the format.
  static std::shared_ptr<const DomSnapshot> parse(std::u16string data);

  DomSnapshot(const DomSnapshot&) = delete;
  DomSnapshot& operator=(const DomSnapshot&) = delete;

  bool isHtmlDocument() const override { return m_html; }
  bool hasBody() const override { return m_body; }
  const HtmlElementCollection& all() const override { return m_all; }
  const HtmlElementCollection& bodyElements() const override { return m_bodyElements; }

 private:
  struct Field {
    std::u16string_view text;
    bool taken = false;
  };

  class SnapshotElement final : public HtmlElement {
   public:
    enum Slot { Tag, Class, Id, InnerText, InnerHtml, OuterHtml, Href, SlotCount };
    Field fields[SlotCount];

    std::u16string_view className() const override { return get(Class); }
    std::u16string_view innerText() const override { return get(InnerText); }
    std::u16string_view innerHTML() const override { return get(InnerHtml); }
    std::u16string_view outerHTML() const override { return get(OuterHtml); }
    std::u16string_view tagName() const override { return get(Tag); }
    std::u16string_view id() const override { return get(Id); }
    std::u16string_view href() const override { return get(Href); }

   private:
    std::u16string_view get(Slot slot) const;
  };

  class Range final : public HtmlElementCollection {
   public:
    explicit Range(const std::vector<SnapshotElement>& elements) : m_elements(elements) {}
    void set(std::size_t first, std::size_t count) {
      m_first = first;
      m_count = count;
    }
    std::int32_t length() const override { return static_cast<std::int32_t>(m_count); }
    const HtmlElement* item(std::int32_t index) const override;

   private:
    const std::vector<SnapshotElement>& m_elements;
    std::size_t m_first = 0;
    std::size_t m_count = 0;
  };

  explicit DomSnapshot(std::u16string data);
  void parseData();

  const std::u16string m_data;  // the views of every element point into it
  std::vector<SnapshotElement> m_elements;
  bool m_html = false;
  bool m_body = false;
  Range m_all{m_elements};
  Range m_bodyElements{m_elements};
};

}  // namespace quillon::capture
