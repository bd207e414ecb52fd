#include "results/JsonWriter.h"

#include "text/JsonString.h"
#include "text/Utf8.h"

#include <ostream>

namespace quillon::results {

void JsonWriter::begin(std::size_t /*rowCount*/) {
  m_out << '[';
  m_firstRow = true;
}

void JsonWriter::writeRow(const RowCells& cells) {
  m_line.assign(m_firstRow ? "\n[" : ",\n[");
  m_firstRow = false;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) m_line += ',';
    text::appendJsonString(m_line, text::utf8ToUtf16(cells[i]));
  }
  m_line += ']';
  m_out.write(m_line.data(), static_cast<std::streamsize>(m_line.size()));
}

void JsonWriter::finish() {
  m_out << (m_firstRow ? "]\n" : "\n]\n");
  m_out.flush();
}

}  // namespace quillon::results
