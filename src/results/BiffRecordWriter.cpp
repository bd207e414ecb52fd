#include "results/BiffRecordWriter.h"

#include <algorithm>
#include <cstring>

namespace quillon::results {

void BiffRecordWriter::f64(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  u32(static_cast<std::uint32_t>(bits & 0xFFFFFFFFu));
  u32(static_cast<std::uint32_t>(bits >> 32));
}

void BiffRecordWriter::record16(std::uint16_t type, std::uint32_t value) {
  begin(type);
  u16(value);
  end();
}

void BiffRecordWriter::empty(std::uint16_t type) {
  begin(type);
  end();
}

void BiffRecordWriter::keepTogether(std::size_t bytes) {
  if (room() >= bytes) return;
  end();
  begin(kContinue);
}

void BiffRecordWriter::characters(std::u16string_view text, bool twoBytes) {
  const std::size_t charSize = twoBytes ? 2 : 1;
  for (std::size_t done = 0; done < text.size();) {
    std::size_t fit = room() / charSize;
    if (fit == 0) {
      end();
      begin(kContinue);
      u8(twoBytes ? 1 : 0);
      fit = room() / charSize;
    }
    const std::size_t count = std::min(fit, text.size() - done);
    for (const char16_t c : text.substr(done, count)) {
      if (twoBytes) {
        u16(c);
      } else {
        u8(static_cast<std::uint8_t>(c));
      }
    }
    done += count;
  }
}

void BiffRecordWriter::put32At(std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) m_bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace quillon::results
