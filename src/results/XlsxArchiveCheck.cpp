#include "results/XlsxArchiveCheck.h"

#include "results/ResultsError.h"

#include <cstdint>
#include <fstream>
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

std::string readAt(std::ifstream& in, std::uint64_t offset, std::size_t size) {
  std::string bytes(size, '\0');
  in.seekg(static_cast<std::streamoff>(offset));
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  if (!in) damaged("unreadable archive");
  return bytes;
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

struct Entry {
  std::string name;
  std::uint32_t method, crc, packed, size, local;
};

// Inflates one part in pieces, checking its length and checksum; keeps its two ends.
void checkPart(std::ifstream& in, const Entry& entry) {
  const std::string local = readAt(in, entry.local, 30);
  if (le(local, 0, 4) != 0x04034b50) damaged("no local header for " + entry.name);
  std::uint64_t offset = entry.local + 30 + le(local, 26, 2) + le(local, 28, 2);
  std::string head;
  std::string tail;
  uLong crc = crc32(0L, Z_NULL, 0);
  std::uint64_t produced = 0;
  const auto take = [&](const char* data, std::size_t size) {
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data), static_cast<uInt>(size));
    produced += size;
    if (head.size() < kHeadBytes) head.append(data, std::min(size, kHeadBytes - head.size()));
    tail.append(data, size);
    if (tail.size() > kTailBytes) tail.erase(0, tail.size() - kTailBytes);
  };

  std::vector<char> out(1 << 16);
  std::uint64_t left = entry.packed;
  if (entry.method == 0) {
    while (left > 0) {
      const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(left, out.size()));
      const std::string bytes = readAt(in, offset, piece);
      take(bytes.data(), bytes.size());
      offset += piece;
      left -= piece;
    }
  } else if (entry.method == 8) {
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) damaged("no memory to read it back");
    std::string input;  // stays put while the inflater reads from it
    int result = Z_OK;
    do {
      if (z.avail_in == 0 && left > 0) {
        const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(left, 1 << 16));
        input = readAt(in, offset, piece);
        offset += piece;
        left -= piece;
        z.next_in = reinterpret_cast<Bytef*>(input.data());
        z.avail_in = static_cast<uInt>(input.size());
      }
      z.next_out = reinterpret_cast<Bytef*>(out.data());
      z.avail_out = static_cast<uInt>(out.size());
      result = inflate(&z, Z_NO_FLUSH);
      if (result != Z_OK && result != Z_STREAM_END) break;  // Z_BUF_ERROR: input ran out
      take(out.data(), out.size() - z.avail_out);
    } while (result != Z_STREAM_END);
    inflateEnd(&z);
    if (result != Z_STREAM_END) damaged(entry.name + " does not inflate");
  } else {
    damaged("unknown packing of " + entry.name);
  }
  if (produced != entry.size || crc != entry.crc) damaged(entry.name + " differs from its index");

  const bool xml = entry.name.ends_with(".xml") || entry.name.ends_with(".rels");
  if (!xml) return;
  while (!tail.empty() && (tail.back() == '\n' || tail.back() == '\r' || tail.back() == ' ')) {
    tail.pop_back();
  }
  const std::string root = rootName(head);
  if (root.empty() || !tail.ends_with("</" + root + ">")) damaged(entry.name + " is cut short");
}

}  // namespace

void checkXlsxArchive(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) damaged("it cannot be read back");
  in.seekg(0, std::ios::end);
  const auto fileSize = static_cast<std::uint64_t>(in.tellg());
  if (fileSize < 22) damaged("no archive index");
  // The library writes no archive comment, so the index's end record closes the file.
  const std::string end = readAt(in, fileSize - 22, 22);
  if (le(end, 0, 4) != 0x06054b50) damaged("no archive index");
  const std::uint32_t count = le(end, 10, 2);
  const std::uint32_t indexSize = le(end, 12, 4);
  const std::uint32_t indexAt = le(end, 16, 4);
  if (std::uint64_t{indexAt} + indexSize > fileSize - 22) damaged("a broken archive index");
  const std::string index = readAt(in, indexAt, indexSize);

  std::vector<Entry> entries;
  for (std::size_t at = 0; entries.size() < count;) {
    if (at + 46 > index.size() || le(index, at, 4) != 0x02014b50) damaged("a broken archive index");
    const std::size_t nameLength = le(index, at + 28, 2);
    if (at + 46 + nameLength > index.size()) damaged("a broken archive index");
    entries.push_back({index.substr(at + 46, nameLength), le(index, at + 10, 2),
                       le(index, at + 16, 4), le(index, at + 20, 4), le(index, at + 24, 4),
                       le(index, at + 42, 4)});
    at += 46 + nameLength + le(index, at + 30, 2) + le(index, at + 32, 2);
  }
  for (const Entry& entry : entries) checkPart(in, entry);
}

}  // namespace quillon::results
