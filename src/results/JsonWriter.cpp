#include "results/JsonWriter.h"

#include "text/Cp1252.h"
#include "text/Utf8.h"

#include <ostream>

namespace quillon::results {
namespace {

void appendJsonString(std::string& out, std::string_view cp1252) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  std::size_t runStart = 0;
  const auto flushRun = [&](std::size_t end) {
    out += text::cp1252ToUtf8(cp1252.substr(runStart, end - runStart));
  };
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    const char16_t c = text::charFromCp1252(static_cast<unsigned char>(cp1252[i]));
    const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
    if (!control && c != u'"' && c != u'\\') continue;
    flushRun(i);
    runStart = i + 1;
    switch (c) {
      case u'"':
        out += "\\\"";
        break;
      case u'\\':
        out += "\\\\";
        break;
      case u'\n':
        out += "\\n";
        break;
      case u'\r':
        out += "\\r";
        break;
      case u'\t':
        out += "\\t";
        break;
      default:
        out += "\\u00";
        out += kHex[(c >> 4) & 0xF];
        out += kHex[c & 0xF];
    }
  }
  flushRun(cp1252.size());
  out += '"';
}

}  // namespace

void JsonWriter::begin(std::size_t /*rowCount*/) {
  m_out << '[';
  m_firstRow = true;
}

void JsonWriter::writeRow(const RowCells& cells) {
  m_line.assign(m_firstRow ? "\n[" : ",\n[");
  m_firstRow = false;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) m_line += ',';
    appendJsonString(m_line, cells[i]);
  }
  m_line += ']';
  m_out.write(m_line.data(), static_cast<std::streamsize>(m_line.size()));
}

void JsonWriter::finish() {
  m_out << (m_firstRow ? "]\n" : "\n]\n");
  m_out.flush();
}

}  // namespace quillon::results
