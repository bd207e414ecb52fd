#include "results/XlsxArchiveCheck.h"

#include "results/ResultsError.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string_view>
#include <vector>
#include <zlib.h>

namespace quillon::results {
namespace {

constexpr std::size_t kHeadBytes = 512;  // enough to see the root element's name
constexpr std::size_t kTailBytes = 256;

[[noreturn]] void damaged(const std::string& what) {
  throw ExportError("The workbook was not written whole (" + what + "); is the disk full?");
}

std::uint32_t le(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

// The root element of an XML text: its name follows the first "<" that opens neither the
// declaration nor a comment.
std::string rootName(const std::string& head) {
  std::size_t at = 0;
  while ((at = head.find('<', at)) != std::string::npos) {
    if (at + 1 < head.size() && head[at + 1] != '?' && head[at + 1] != '!') {
      const std::size_t end = head.find_first_of(" \t\r\n/>", at + 1);
      return end == std::string::npos ? std::string() : head.substr(at + 1, end - at - 1);
    }
    ++at;
  }
  return {};
}

// One part as the archive's index lists it.
struct ZipEntry {
  std::string name;
  std::uint32_t method, crc, packed, size, local;
};

// Reads a ZIP archive's index and its parts' packed bytes; what it cannot read is reported
// as damage.
class ZipReader {
 public:
  explicit ZipReader(const std::string& path);

  // The central directory's entries, in its order.
  std::vector<ZipEntry> entries();
  // Where the entry's packed bytes start, past its local header.
  std::uint64_t dataOffset(const ZipEntry& entry);
  std::string readAt(std::uint64_t offset, std::size_t size);

 private:
  std::ifstream m_in;
};

ZipReader::ZipReader(const std::string& path) : m_in(path, std::ios::binary) {
  if (!m_in) damaged("it cannot be read back");
}

std::string ZipReader::readAt(std::uint64_t offset, std::size_t size) {
  std::string bytes(size, '\0');
  m_in.seekg(static_cast<std::streamoff>(offset));
  m_in.read(bytes.data(), static_cast<std::streamsize>(size));
  if (!m_in) damaged("unreadable archive");
  return bytes;
}

std::vector<ZipEntry> ZipReader::entries() {
  m_in.seekg(0, std::ios::end);
  const auto fileSize = static_cast<std::uint64_t>(m_in.tellg());
  if (fileSize < 22) damaged("no archive index");
  // The library writes no archive comment, so the index's end record closes the file.
  const std::string end = readAt(fileSize - 22, 22);
  if (le(end, 0, 4) != 0x06054b50) damaged("no archive index");
  const std::uint32_t count = le(end, 10, 2);
  const std::uint32_t indexSize = le(end, 12, 4);
  const std::uint32_t indexAt = le(end, 16, 4);
  if (std::uint64_t{indexAt} + indexSize > fileSize - 22) damaged("a broken archive index");
  const std::string index = readAt(indexAt, indexSize);

  std::vector<ZipEntry> entries;
  for (std::size_t at = 0; entries.size() < count;) {
    if (at + 46 > index.size() || le(index, at, 4) != 0x02014b50) damaged("a broken archive index");
    const std::size_t nameLength = le(index, at + 28, 2);
    if (at + 46 + nameLength > index.size()) damaged("a broken archive index");
    entries.push_back({index.substr(at + 46, nameLength), le(index, at + 10, 2),
                       le(index, at + 16, 4), le(index, at + 20, 4), le(index, at + 24, 4),
                       le(index, at + 42, 4)});
    at += 46 + nameLength + le(index, at + 30, 2) + le(index, at + 32, 2);
  }
  return entries;
}

std::uint64_t ZipReader::dataOffset(const ZipEntry& entry) {
  const std::string local = readAt(entry.local, 30);
  if (le(local, 0, 4) != 0x04034b50) damaged("no local header for " + entry.name);
  return entry.local + 30 + le(local, 26, 2) + le(local, 28, 2);
}

// What a part unpacks to, taken in pieces: its length, its checksum and its two ends.
class PartDigest {
 public:
  void take(const char* data, std::size_t size) {
    m_crc = crc32(m_crc, reinterpret_cast<const Bytef*>(data), static_cast<uInt>(size));
    m_size += size;
    if (m_head.size() < kHeadBytes) m_head.append(data, std::min(size, kHeadBytes - m_head.size()));
    m_tail.append(data, size);
    if (m_tail.size() > kTailBytes) m_tail.erase(0, m_tail.size() - kTailBytes);
  }

  bool matches(const ZipEntry& entry) const { return m_size == entry.size && m_crc == entry.crc; }
  // Whether the text ends, but for line ends and blanks, with the closing tag of the root
  // element its head opens.
  bool closesItsRoot() const;

 private:
  uLong m_crc = crc32(0L, Z_NULL, 0);
  std::uint64_t m_size = 0;
  std::string m_head;
  std::string m_tail;
};

bool PartDigest::closesItsRoot() const {
  std::string_view tail = m_tail;
  while (!tail.empty() && (tail.back() == '\n' || tail.back() == '\r' || tail.back() == ' ')) {
    tail.remove_suffix(1);
  }
  const std::string root = rootName(m_head);
  return !root.empty() && tail.ends_with("</" + root + ">");
}

constexpr std::size_t kPieceBytes = 1 << 16;

void readStored(ZipReader& zip, const ZipEntry& entry, std::uint64_t offset, PartDigest& digest) {
  for (std::uint64_t left = entry.packed; left > 0;) {
    const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(left, kPieceBytes));
    const std::string bytes = zip.readAt(offset, piece);
    digest.take(bytes.data(), bytes.size());
    offset += piece;
    left -= piece;
  }
}

void readDeflated(ZipReader& zip, const ZipEntry& entry, std::uint64_t offset, PartDigest& digest) {
  std::uint64_t left = entry.packed;
  std::vector<char> out(kPieceBytes);
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) damaged("no memory to read it back");
  std::string input;  // stays put while the inflater reads from it
  int result = Z_OK;
  do {
    if (z.avail_in == 0 && left > 0) {
      const std::size_t piece =
          static_cast<std::size_t>(std::min<std::uint64_t>(left, kPieceBytes));
      input = zip.readAt(offset, piece);
      offset += piece;
      left -= piece;
      z.next_in = reinterpret_cast<Bytef*>(input.data());
      z.avail_in = static_cast<uInt>(input.size());
    }
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    result = inflate(&z, Z_NO_FLUSH);
    if (result != Z_OK && result != Z_STREAM_END) break;  // Z_BUF_ERROR: input ran out
    digest.take(out.data(), out.size() - z.avail_out);
  } while (result != Z_STREAM_END);
  inflateEnd(&z);
  if (result != Z_STREAM_END) damaged(entry.name + " does not inflate");
}

// Unpacks one part, checking its length and checksum, and that an XML part is whole.
void checkPart(ZipReader& zip, const ZipEntry& entry) {
  const std::uint64_t offset = zip.dataOffset(entry);
  PartDigest digest;
  if (entry.method == 0) {
    readStored(zip, entry, offset, digest);
  } else if (entry.method == 8) {
    readDeflated(zip, entry, offset, digest);
  } else {
    damaged("unknown packing of " + entry.name);
  }
  if (!digest.matches(entry)) damaged(entry.name + " differs from its index");
  const bool xml = entry.name.ends_with(".xml") || entry.name.ends_with(".rels");
  if (xml && !digest.closesItsRoot()) damaged(entry.name + " is cut short");
}

}  // namespace

void checkXlsxArchive(const std::string& path) {
  ZipReader zip(path);
  for (const ZipEntry& entry : zip.entries()) checkPart(zip, entry);
}

}  // namespace quillon::results
