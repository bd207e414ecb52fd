#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Helpers shared by the fuzz targets. A broken property aborts, so that libFuzzer keeps
// the input that broke it.

namespace quillon::fuzz {

[[noreturn]] inline void fail(const char* check, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, check);
  std::abort();
}

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::quillon::fuzz::fail(#condition, __FILE__, __LINE__))

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Little-endian pairs of bytes as UTF-16 code units (an odd last byte is dropped), so that
// every code unit, unpaired surrogates included, can be reached.
inline std::u16string wideOf(std::string_view bytes) {
  std::u16string wide;
  wide.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return wide;
}

// Reads small values off the front of the input, then hands out the rest.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

  bool empty() const { return m_pos >= m_bytes.size(); }
  std::size_t remaining() const { return m_bytes.size() - m_pos; }

  // The next byte, or 0 when the input is used up.
  std::uint8_t byte() { return empty() ? 0 : static_cast<std::uint8_t>(m_bytes[m_pos++]); }

  // A value below bound (bound > 0).
  std::size_t below(std::size_t bound) { return byte() % bound; }

  // Up to maxLength bytes; the first byte read gives the length.
  std::string_view text(std::size_t maxLength) {
    const std::size_t length = std::min<std::size_t>(below(maxLength + 1), remaining());
    const std::string_view piece = m_bytes.substr(m_pos, length);
    m_pos += length;
    return piece;
  }

  std::string_view rest() {
    const std::string_view piece = m_bytes.substr(std::min(m_pos, m_bytes.size()));
    m_pos = m_bytes.size();
    return piece;
  }

 private:
  std::string_view m_bytes;
  std::size_t m_pos = 0;
};

}  // namespace quillon::fuzz
