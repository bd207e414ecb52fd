#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillon::results {

// What a ZIP archive does not hold as its index says, in words.
class ZipError : public std::runtime_error {
 public:
  explicit ZipError(const std::string& message) : std::runtime_error(message) {}
};

// One part as the archive's index lists it.
struct ZipEntry {
  std::string name;
  std::uint32_t method, crc, packed, size, local;
};

// Reads a ZIP archive without a comment (as the workbook library and the spreadsheet
// programs write them): its index and its parts, stored or deflated. Throws ZipError.
class ZipArchive {
 public:
  explicit ZipArchive(const std::string& path);

  // The central directory's entries, in its order.
  std::vector<ZipEntry> entries();
  // Hands the part's unpacked bytes, piece by piece, to take; then checks their length and
  // checksum against the index.
  void unpack(const ZipEntry& entry, const std::function<void(const char*, std::size_t)>& take);
  // The part's bytes; a part larger than maxBytes unpacked is refused.
  std::string read(const ZipEntry& entry, std::size_t maxBytes);

 private:
  std::uint64_t dataOffset(const ZipEntry& entry);
  std::string readAt(std::uint64_t offset, std::size_t size);

  std::ifstream m_in;
};

}  // namespace quillon::results
