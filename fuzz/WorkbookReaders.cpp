#include "SpreadsheetReaders.h"

#include <zlib.h>

// The workbook readers: .xls (an OLE2 compound file holding BIFF8 records) and .xlsx (a ZIP
// archive).

namespace quillon::fuzz {
namespace {

std::uint32_t le16(std::string_view s, std::size_t at) {
  return static_cast<unsigned char>(s[at]) | (static_cast<unsigned char>(s[at + 1]) << 8);
}

std::uint32_t le32(std::string_view s, std::size_t at) {
  return le16(s, at) | (le16(s, at + 2) << 16);
}

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFEu;
constexpr std::size_t kSector = 512;

class CompoundFile {
 public:
  explicit CompoundFile(std::string_view file) : m_file(file) {}

  std::optional<std::string> stream(std::u16string_view wanted) {
    if (m_file.size() < kSector || (m_file.size() - kSector) % kSector != 0) return std::nullopt;
    if (m_file.substr(0, 8) != "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") return std::nullopt;
    if (le16(m_file, 28) != 0xFFFE || le16(m_file, 30) != 9 || le16(m_file, 32) != 6 ||
        le32(m_file, 56) != 4096) {
      return std::nullopt;
    }
    m_sectors = (m_file.size() - kSector) / kSector;
    if (!readFat()) return std::nullopt;
    const auto directory = chain(m_fat, le32(m_file, 48), 0);
    if (!directory || directory->size() % 128 != 0 || directory->empty()) return std::nullopt;
    const std::string_view root(directory->data(), 128);
    if (root[66] != 5) return std::nullopt;
    for (std::size_t at = 128; at < directory->size(); at += 128) {
      const std::string_view entry(directory->data() + at, 128);
      const std::uint32_t nameBytes = le16(entry, 64);
      if (entry[66] != 2 || nameBytes != 2 * (wanted.size() + 1)) continue;
      bool same = true;
      for (std::size_t i = 0; i < wanted.size(); ++i)
        same = same && le16(entry, 2 * i) == wanted[i];
      if (!same) continue;
      const std::uint32_t start = le32(entry, 116);
      const std::uint32_t size = le32(entry, 120);
      if (size >= 4096) return chain(m_fat, start, size);
      // Small streams live in the mini stream, held by the root entry.
      const auto container = chain(m_fat, le32(root, 116), le32(root, 120));
      const auto miniFatBytes = chain(m_fat, le32(m_file, 60), 0);
      if (!container || !miniFatBytes) return std::nullopt;
      std::vector<std::uint32_t> miniFat;
      for (std::size_t i = 0; i + 4 <= miniFatBytes->size(); i += 4) {
        miniFat.push_back(le32(*miniFatBytes, i));
      }
      std::string out;
      std::set<std::uint32_t> seen;
      std::uint32_t id = start;
      for (; out.size() < size; id = miniFat[id]) {
        if (id >= miniFat.size() || (id + 1) * 64 > container->size() || !seen.insert(id).second) {
          return std::nullopt;
        }
        out.append(container->data() + id * 64, 64);
      }
      if (id != kEndOfChain) return std::nullopt;
      out.resize(size);
      return out;
    }
    return std::nullopt;
  }

 private:
  bool readFat() {
    const std::uint32_t fatSectors = le32(m_file, 44);
    std::vector<std::uint32_t> ids;
    for (std::uint32_t i = 0; i < 109 && ids.size() < fatSectors; ++i) {
      ids.push_back(le32(m_file, 76 + 4 * i));
    }
    std::uint32_t difat = le32(m_file, 68);
    std::set<std::uint32_t> seen;
    while (ids.size() < fatSectors) {
      if (difat >= m_sectors || !seen.insert(difat).second) return false;
      const std::string_view sector = m_file.substr(kSector + difat * kSector, kSector);
      for (std::uint32_t i = 0; i < 127 && ids.size() < fatSectors; ++i) {
        ids.push_back(le32(sector, 4 * i));
      }
      difat = le32(sector, 508);
    }
    for (const std::uint32_t id : ids) {
      if (id >= m_sectors) return false;
      for (std::size_t i = 0; i < kSector; i += 4) {
        m_fat.push_back(le32(m_file, kSector + id * kSector + i));
      }
    }
    return m_fat.size() >= m_sectors;
  }

  // The bytes of a sector chain; with a size, exactly as many sectors as it needs.
  std::optional<std::string> chain(const std::vector<std::uint32_t>& fat, std::uint32_t start,
                                   std::uint32_t size) const {
    std::string out;
    std::set<std::uint32_t> seen;
    for (std::uint32_t id = start; id != kEndOfChain; id = fat[id]) {
      if (id >= m_sectors || id >= fat.size() || !seen.insert(id).second) return std::nullopt;
      out.append(m_file.substr(kSector + id * kSector, kSector));
    }
    if (size == 0) return out;
    if (out.size() < size || out.size() - size >= kSector) return std::nullopt;
    out.resize(size);
    return out;
  }

  std::string_view m_file;
  std::size_t m_sectors = 0;
  std::vector<std::uint32_t> m_fat;
};

struct Record {
  std::uint32_t type;
  std::string_view data;
};

std::optional<std::vector<Record>> records(std::string_view stream, std::size_t from,
                                           std::size_t& end) {
  std::vector<Record> out;
  for (std::size_t pos = from;;) {
    if (pos + 4 > stream.size()) return std::nullopt;
    const std::uint32_t type = le16(stream, pos);
    const std::uint32_t length = le16(stream, pos + 2);
    if (length > 8224 || pos + 4 + length > stream.size()) return std::nullopt;
    out.push_back({type, stream.substr(pos + 4, length)});
    pos += 4 + length;
    if (type == 0x000A) {  // EOF
      end = pos;
      return out;
    }
  }
}

// The shared strings: the SST record and the CONTINUE records after it, where a string's
// characters may go on after a fresh options byte.
std::optional<std::vector<std::u16string>> sharedStrings(const std::vector<Record>& globals) {
  std::vector<std::string_view> parts;
  for (std::size_t i = 0; i < globals.size(); ++i) {
    if (globals[i].type != 0x00FC) continue;
    parts.push_back(globals[i].data);
    for (std::size_t k = i + 1; k < globals.size() && globals[k].type == 0x003C; ++k) {
      parts.push_back(globals[k].data);
    }
    break;
  }
  if (parts.empty() || parts[0].size() < 8) return std::nullopt;
  const std::uint32_t unique = le32(parts[0], 4);
  std::size_t part = 0;
  std::size_t pos = 8;
  std::vector<std::u16string> strings;
  for (std::uint32_t n = 0; n < unique; ++n) {
    if (pos == parts[part].size()) {
      if (++part == parts.size()) return std::nullopt;
      pos = 0;
    }
    if (pos + 3 > parts[part].size()) return std::nullopt;
    std::uint32_t left = le16(parts[part], pos);
    std::uint32_t options = static_cast<unsigned char>(parts[part][pos + 2]);
    pos += 3;
    if (options > 1) return std::nullopt;  // no rich text or phonetic data is written
    std::u16string text;
    while (left > 0) {
      if (pos == parts[part].size()) {
        if (++part == parts.size()) return std::nullopt;
        options = static_cast<unsigned char>(parts[part][0]);
        if (options > 1) return std::nullopt;
        pos = 1;
      }
      const std::size_t width = options == 1 ? 2 : 1;
      const std::size_t fit = (parts[part].size() - pos) / width;
      if (fit == 0) return std::nullopt;
      for (std::size_t k = 0; k < fit && left > 0; ++k, --left, pos += width) {
        text.push_back(static_cast<char16_t>(
            width == 2 ? le16(parts[part], pos) : static_cast<unsigned char>(parts[part][pos])));
      }
    }
    strings.push_back(std::move(text));
  }
  if (part + 1 != parts.size() || pos != parts[part].size()) return std::nullopt;
  return strings;
}

}  // namespace

std::optional<Rows> readXls(std::string_view file) {
  const auto stream = CompoundFile(file).stream(u"Workbook");
  if (!stream) return std::nullopt;
  std::size_t globalsEnd = 0;
  const auto globals = records(*stream, 0, globalsEnd);
  if (!globals || globals->front().type != 0x0809 || globals->front().data.size() < 4 ||
      le16(globals->front().data, 2) != 0x0005) {
    return std::nullopt;
  }
  std::size_t sheetAt = 0;
  int sheets = 0;
  for (const Record& record : *globals) {
    if (record.type != 0x0085) continue;
    if (record.data.size() < 4) return std::nullopt;
    sheetAt = le32(record.data, 0);
    ++sheets;
  }
  if (sheets != 1 || sheetAt != globalsEnd) return std::nullopt;
  const auto strings = sharedStrings(*globals);
  if (!strings) return std::nullopt;
  std::size_t sheetEnd = 0;
  const auto sheet = records(*stream, sheetAt, sheetEnd);
  if (!sheet || sheetEnd != stream->size() || sheet->front().type != 0x0809 ||
      le16(sheet->front().data, 2) != 0x0010) {
    return std::nullopt;
  }
  Rows rows;
  std::set<std::pair<std::uint32_t, std::uint32_t>> cells;
  for (const Record& record : *sheet) {
    if (record.type != 0x00FD) continue;
    if (record.data.size() != 10) return std::nullopt;
    const std::uint32_t row = le16(record.data, 0);
    const std::uint32_t column = le16(record.data, 2);
    const std::uint32_t index = le32(record.data, 6);
    if (column >= 10 || index >= strings->size() || !cells.emplace(row, column).second) {
      return std::nullopt;
    }
    if (rows.size() <= row) rows.resize(row + 1, std::vector<std::u16string>(10));
    rows[row][column] = (*strings)[index];
  }
  return rows;
}

namespace {

struct ZipEntry {
  std::uint32_t method, crc, compressed, size;
  std::size_t data;  // where its bytes begin
};

std::optional<std::vector<std::pair<std::string, ZipEntry>>> zipDirectory(std::string_view file) {
  if (file.size() < 22) return std::nullopt;
  const std::size_t end = file.size() - 22;
  if (le32(file, end) != 0x06054b50) return std::nullopt;
  const std::uint32_t count = le16(file, end + 10);
  const std::size_t size = le32(file, end + 12);
  std::size_t pos = le32(file, end + 16);
  if (pos + size != end) return std::nullopt;
  std::vector<std::pair<std::string, ZipEntry>> entries;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (pos + 46 > end || le32(file, pos) != 0x02014b50) return std::nullopt;
    const ZipEntry entry{le16(file, pos + 10), le32(file, pos + 16), le32(file, pos + 20),
                         le32(file, pos + 24), 0};
    const std::size_t nameLength = le16(file, pos + 28);
    const std::size_t skip = nameLength + le16(file, pos + 30) + le16(file, pos + 32);
    const std::size_t local = le32(file, pos + 42);
    if (pos + 46 + skip > end) return std::nullopt;
    const std::string name(file.substr(pos + 46, nameLength));
    if (local + 30 > file.size() || le32(file, local) != 0x04034b50 ||
        le16(file, local + 26) != nameLength || file.substr(local + 30, nameLength) != name) {
      return std::nullopt;
    }
    const std::size_t data = local + 30 + nameLength + le16(file, local + 28);
    if (data + entry.compressed > file.size()) return std::nullopt;
    entries.emplace_back(name,
                         ZipEntry{entry.method, entry.crc, entry.compressed, entry.size, data});
    pos += 46 + skip;
  }
  if (pos != end) return std::nullopt;
  return entries;
}

}  // namespace

std::optional<std::set<std::string>> zipEntryNames(std::string_view file) {
  const auto entries = zipDirectory(file);
  if (!entries) return std::nullopt;
  std::set<std::string> names;
  for (const auto& [name, entry] : *entries) {
    if (!names.insert(name).second) return std::nullopt;
  }
  return names;
}

std::optional<std::string> zipEntry(std::string_view file, std::string_view wanted) {
  const auto entries = zipDirectory(file);
  if (!entries) return std::nullopt;
  for (const auto& [name, entry] : *entries) {
    if (name != wanted) continue;
    const std::string_view packed = file.substr(entry.data, entry.compressed);
    std::string out(entry.size, '\0');
    if (entry.method == 0) {
      if (entry.compressed != entry.size) return std::nullopt;
      out.assign(packed);
    } else if (entry.method == 8) {
      z_stream z{};
      if (inflateInit2(&z, -15) != Z_OK) return std::nullopt;
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
      z.avail_in = static_cast<uInt>(packed.size());
      z.next_out = reinterpret_cast<Bytef*>(out.data());
      z.avail_out = static_cast<uInt>(out.size());
      const int result = inflate(&z, Z_FINISH);
      const bool whole = result == Z_STREAM_END && z.avail_out == 0 && z.avail_in == 0;
      inflateEnd(&z);
      if (!whole) return std::nullopt;
    } else {
      return std::nullopt;
    }
    const auto crc =
        crc32(0L, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size()));
    if (crc != entry.crc) return std::nullopt;
    return out;
  }
  return std::nullopt;
}

}  // namespace quillon::fuzz
