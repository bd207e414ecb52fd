#include "capture/DomSnapshot.h"

#include "capture/CaptureError.h"

#include <limits>

namespace quillon::capture {
namespace {

[[noreturn]] void malformed() {
  throw CaptureError("The browser returned a malformed document snapshot");
}

// Reads the snapshot data front to back.
class Reader {
 public:
  explicit Reader(std::u16string_view data) : m_data(data) {}

  std::size_t number(char16_t terminator) {
    std::size_t value = 0;
    std::size_t digits = 0;
    while (m_pos < m_data.size() && m_data[m_pos] >= u'0' && m_data[m_pos] <= u'9') {
      if (value > (std::numeric_limits<std::size_t>::max() - 9) / 10) malformed();
      value = value * 10 + static_cast<std::size_t>(m_data[m_pos] - u'0');
      ++m_pos;
      ++digits;
    }
    if (digits == 0 || m_pos >= m_data.size() || m_data[m_pos] != terminator) malformed();
    ++m_pos;
    return value;
  }

  bool flag() {
    const std::size_t value = number(u',');
    if (value > 1) malformed();
    return value == 1;
  }

  // One field: "LENGTH:TEXT" or "-".
  void field(std::u16string_view& text, bool& taken) {
    if (m_pos < m_data.size() && m_data[m_pos] == u'-') {
      ++m_pos;
      text = {};
      taken = false;
      return;
    }
    const std::size_t length = number(u':');
    if (length > m_data.size() - m_pos) malformed();
    text = m_data.substr(m_pos, length);
    taken = true;
    m_pos += length;
  }

  bool atEnd() const { return m_pos == m_data.size(); }
  std::size_t remaining() const { return m_data.size() - m_pos; }

 private:
  std::u16string_view m_data;
  std::size_t m_pos = 0;
};

}  // namespace

std::u16string_view DomSnapshot::SnapshotElement::get(Slot slot) const {
  if (!fields[slot].taken) {
    // The snapshot scope decides which texts are taken; reading another is a bug of
    // the caller, and an empty text would pass for a real one.
    throw CaptureError("The document snapshot does not hold this text of the element");
  }
  return fields[slot].text;
}

const HtmlElement* DomSnapshot::Range::item(std::int32_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_count) return nullptr;
  return &m_elements[m_first + static_cast<std::size_t>(index)];
}

DomSnapshot::DomSnapshot(std::u16string data) : m_data(std::move(data)) {}

std::shared_ptr<const DomSnapshot> DomSnapshot::parse(std::u16string data) {
  std::shared_ptr<DomSnapshot> snapshot(new DomSnapshot(std::move(data)));
  snapshot->parseData();
  return snapshot;
}

void DomSnapshot::parseData() {
  Reader reader(m_data);
  m_html = reader.flag();
  m_body = reader.flag();
  const std::size_t bodyStart = reader.number(u',');
  const std::size_t bodyCount = reader.number(u',');
  const std::size_t count = reader.number(u';');
  // Every element takes at least seven characters; this also bounds the reservation.
  if (count > reader.remaining() / SnapshotElement::SlotCount) malformed();
  if (count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) malformed();
  if (bodyStart > count || bodyCount > count - bodyStart) malformed();

  m_elements.resize(count);
  for (SnapshotElement& element : m_elements) {
    for (Field& field : element.fields) reader.field(field.text, field.taken);
    // Every element has a tag, a class (possibly empty) and an id.
    for (const auto slot : {SnapshotElement::Tag, SnapshotElement::Class, SnapshotElement::Id}) {
      if (!element.fields[slot].taken) malformed();
    }
  }
  if (!reader.atEnd()) malformed();
  m_all.set(0, count);
  m_bodyElements.set(bodyStart, m_body ? bodyCount : 0);
}

}  // namespace quillon::capture
