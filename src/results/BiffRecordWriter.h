#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace quillon::results {

// Writes BIFF8 records into a workbook stream: each record's type, its payload in
// little-endian values, and its length, filled in when the record is closed. Records are
// written one at a time; string characters that overflow a record go on in CONTINUE records.
class BiffRecordWriter {
 public:
  // The most payload one record takes.
  static constexpr std::size_t kMaxRecordData = 8224;
  static constexpr std::uint16_t kContinue = 0x003C;

  // Opens a record of the given type; the one before it must be closed.
  void begin(std::uint16_t type) {
    m_recordStart = m_bytes.size();
    u16(type);
    u16(0);
  }
  // Closes the open record, writing its length.
  void end() {
    const std::size_t length = m_bytes.size() - m_recordStart - 4;
    m_bytes[m_recordStart + 2] = static_cast<char>(length & 0xFF);
    m_bytes[m_recordStart + 3] = static_cast<char>((length >> 8) & 0xFF);
  }

  // Defined here, as they run for every byte of a workbook.
  void u8(std::uint8_t value) { m_bytes.push_back(static_cast<char>(value)); }
  void u16(std::uint32_t value) {
    u8(static_cast<std::uint8_t>(value & 0xFF));
    u8(static_cast<std::uint8_t>((value >> 8) & 0xFF));
  }
  void u32(std::uint32_t value) {
    u16(value & 0xFFFF);
    u16(value >> 16);
  }
  void f64(double value);
  void bytes(std::string_view bytes) { m_bytes += bytes; }

  // A whole record: a 16-bit value, or no payload at all.
  void record16(std::uint16_t type, std::uint32_t value);
  void empty(std::uint16_t type);

  // Payload bytes the open record still takes.
  std::size_t room() const { return kMaxRecordData - (m_bytes.size() - m_recordStart - 4); }
  // Goes on in a CONTINUE record unless the open record still takes `bytes` bytes, so that
  // a value of that many bytes is not split.
  void keepTogether(std::size_t bytes);
  // A string's characters, one byte each or two. Where they go on in a CONTINUE record, it
  // starts with the string's flags byte again (1 for two-byte characters), as Excel reads it.
  void characters(std::u16string_view text, bool twoBytes);

  // Bytes written so far, and where the open record starts among them.
  std::size_t size() const { return m_bytes.size(); }
  std::size_t recordStart() const { return m_recordStart; }
  // Fills in a 32-bit value written earlier as a placeholder.
  void put32At(std::size_t at, std::uint32_t value);

  // The stream written, taken out of the writer.
  std::string take() { return std::move(m_bytes); }

 private:
  std::string m_bytes;
  std::size_t m_recordStart = 0;
};

}  // namespace quillon::results
