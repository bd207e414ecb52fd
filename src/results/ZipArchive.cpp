#include "results/ZipArchive.h"

#include <algorithm>
#include <zlib.h>

namespace quillon::results {
namespace {

constexpr std::size_t kPieceBytes = 1 << 16;

std::uint32_t le(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

}  // namespace

ZipArchive::ZipArchive(const std::string& path) : m_in(path, std::ios::binary) {
  if (!m_in) throw ZipError("it cannot be read back");
}

std::string ZipArchive::readAt(std::uint64_t offset, std::size_t size) {
  std::string bytes(size, '\0');
  m_in.seekg(static_cast<std::streamoff>(offset));
  m_in.read(bytes.data(), static_cast<std::streamsize>(size));
  if (!m_in) throw ZipError("unreadable archive");
  return bytes;
}

std::vector<ZipEntry> ZipArchive::entries() {
  m_in.seekg(0, std::ios::end);
  const auto fileSize = static_cast<std::uint64_t>(m_in.tellg());
  if (fileSize < 22) throw ZipError("no archive index");
  // No archive comment, so the index's end record closes the file.
  const std::string end = readAt(fileSize - 22, 22);
  if (le(end, 0, 4) != 0x06054b50) throw ZipError("no archive index");
  const std::uint32_t count = le(end, 10, 2);
  const std::uint32_t indexSize = le(end, 12, 4);
  const std::uint32_t indexAt = le(end, 16, 4);
  if (std::uint64_t{indexAt} + indexSize > fileSize - 22) throw ZipError("a broken archive index");
  const std::string index = readAt(indexAt, indexSize);

  std::vector<ZipEntry> entries;
  for (std::size_t at = 0; entries.size() < count;) {
    if (at + 46 > index.size() || le(index, at, 4) != 0x02014b50) {
      throw ZipError("a broken archive index");
    }
    const std::size_t nameLength = le(index, at + 28, 2);
    if (at + 46 + nameLength > index.size()) throw ZipError("a broken archive index");
    entries.push_back({index.substr(at + 46, nameLength), le(index, at + 10, 2),
                       le(index, at + 16, 4), le(index, at + 20, 4), le(index, at + 24, 4),
                       le(index, at + 42, 4)});
    at += 46 + nameLength + le(index, at + 30, 2) + le(index, at + 32, 2);
  }
  return entries;
}

std::uint64_t ZipArchive::dataOffset(const ZipEntry& entry) {
  const std::string local = readAt(entry.local, 30);
  if (le(local, 0, 4) != 0x04034b50) throw ZipError("no local header for " + entry.name);
  return entry.local + 30 + le(local, 26, 2) + le(local, 28, 2);
}

void ZipArchive::unpack(const ZipEntry& entry,
                        const std::function<void(const char*, std::size_t)>& take) {
  std::uint64_t offset = dataOffset(entry);
  uLong crc = crc32(0L, Z_NULL, 0);
  std::uint64_t size = 0;
  const auto hand = [&](const char* data, std::size_t length) {
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data), static_cast<uInt>(length));
    size += length;
    take(data, length);
  };
  std::uint64_t left = entry.packed;
  const auto nextPiece = [&] {
    const auto piece = static_cast<std::size_t>(std::min<std::uint64_t>(left, kPieceBytes));
    std::string bytes = readAt(offset, piece);
    offset += piece;
    left -= piece;
    return bytes;
  };
  if (entry.method == 0) {
    while (left > 0) {
      const std::string bytes = nextPiece();
      hand(bytes.data(), bytes.size());
    }
  } else if (entry.method == 8) {
    std::vector<char> out(kPieceBytes);
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) throw ZipError("no memory to unpack it");
    std::string input;  // stays put while the inflater reads from it
    int result = Z_OK;
    try {
      do {
        if (z.avail_in == 0 && left > 0) {
          input = nextPiece();
          z.next_in = reinterpret_cast<Bytef*>(input.data());
          z.avail_in = static_cast<uInt>(input.size());
        }
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = static_cast<uInt>(out.size());
        result = inflate(&z, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END) break;  // Z_BUF_ERROR: input ran out
        hand(out.data(), out.size() - z.avail_out);
      } while (result != Z_STREAM_END);
    } catch (...) {
      inflateEnd(&z);
      throw;
    }
    inflateEnd(&z);
    if (result != Z_STREAM_END) throw ZipError(entry.name + " does not inflate");
  } else {
    throw ZipError("unknown packing of " + entry.name);
  }
  if (size != entry.size || crc != entry.crc)
    throw ZipError(entry.name + " differs from its index");
}

std::string ZipArchive::read(const ZipEntry& entry, std::size_t maxBytes) {
  if (entry.size > maxBytes) throw ZipError(entry.name + " is too large");
  std::string bytes;
  bytes.reserve(entry.size);
  unpack(entry, [&](const char* data, std::size_t length) {
    // The index may understate what inflates: the limit holds for the bytes themselves.
    if (bytes.size() + length > maxBytes) throw ZipError(entry.name + " is too large");
    bytes.append(data, length);
  });
  return bytes;
}

}  // namespace quillon::results
