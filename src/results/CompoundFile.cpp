#include "results/CompoundFile.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace quillon::results {
namespace {

constexpr std::uint32_t kSectorSize = 512;
constexpr std::uint32_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniStreamCutoff = 4096;
constexpr std::uint32_t kIdsPerSector = kSectorSize / 4;
constexpr std::uint32_t kHeaderDifatEntries = 109;
constexpr std::uint32_t kDifSect = 0xFFFFFFFCu;
constexpr std::uint32_t kFatSect = 0xFFFFFFFDu;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFEu;
constexpr std::uint32_t kFree = 0xFFFFFFFFu;
constexpr std::uint32_t kNoStream = 0xFFFFFFFFu;

void put16(std::string& out, std::size_t at, std::uint16_t value) {
  out[at] = static_cast<char>(value & 0xFF);
  out[at + 1] = static_cast<char>(value >> 8);
}

void put32(std::string& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t sectorsFor(std::size_t bytes, std::uint32_t sectorSize) {
  return static_cast<std::uint32_t>((bytes + sectorSize - 1) / sectorSize);
}

// A chain of `count` consecutive sectors from `first` in an allocation table.
void chain(std::vector<std::uint32_t>& table, std::uint32_t first, std::uint32_t count) {
  for (std::uint32_t i = 0; i < count; ++i) {
    table[first + i] = i + 1 < count ? first + i + 1 : kEndOfChain;
  }
}

// One 128-byte directory entry.
std::string directoryEntry(std::u16string_view name, std::uint8_t type, std::uint32_t child,
                           std::uint32_t start, std::uint32_t size) {
  std::string entry(128, '\0');
  for (std::size_t i = 0; i < name.size() && i < 31; ++i) put16(entry, 2 * i, name[i]);
  put16(entry, 64, static_cast<std::uint16_t>(2 * (name.size() + 1)));
  entry[66] = static_cast<char>(type);
  entry[67] = 1;  // black
  put32(entry, 68, kNoStream);
  put32(entry, 72, kNoStream);
  put32(entry, 76, child);
  put32(entry, 116, start);
  put32(entry, 120, size);
  return entry;
}

std::string unusedDirectoryEntry() {
  std::string entry(128, '\0');
  put32(entry, 68, kNoStream);
  put32(entry, 72, kNoStream);
  put32(entry, 76, kNoStream);
  return entry;
}

void writeBytes(std::ostream& out, std::string_view bytes) {
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void writeIds(std::ostream& out, const std::vector<std::uint32_t>& ids) {
  std::string bytes(ids.size() * 4, '\0');
  for (std::size_t i = 0; i < ids.size(); ++i) put32(bytes, 4 * i, ids[i]);
  writeBytes(out, bytes);
}

void writePadded(std::ostream& out, std::string_view data, std::uint32_t unit) {
  writeBytes(out, data);
  const std::size_t rest = data.size() % unit;
  if (rest != 0) out << std::string(unit - rest, '\0');
}

// Where everything goes: sectors in file order are the stream (or the mini stream that
// holds it), the mini allocation table, the directory, the allocation table, the DIFAT.
struct Layout {
  explicit Layout(std::size_t streamSize);

  std::uint32_t miniFatStart() const { return dataSectors; }
  std::uint32_t directoryStart() const { return miniFatStart() + miniFatSectors; }
  std::uint32_t fatStart() const { return directoryStart() + directorySectors; }
  std::uint32_t difatStart() const { return fatStart() + fatSectors; }

  bool mini;
  std::uint32_t miniSectors;
  std::uint32_t dataSectors;
  std::uint32_t miniFatSectors;
  std::uint32_t directorySectors = 1;
  std::uint32_t fatSectors = 0;
  std::uint32_t difatSectors = 0;
};

Layout::Layout(std::size_t streamSize)
    : mini(streamSize < kMiniStreamCutoff),
      miniSectors(mini ? sectorsFor(streamSize, kMiniSectorSize) : 0),
      dataSectors(mini ? sectorsFor(std::size_t{miniSectors} * kMiniSectorSize, kSectorSize)
                       : sectorsFor(streamSize, kSectorSize)),
      miniFatSectors(mini ? sectorsFor(std::size_t{miniSectors} * 4, kSectorSize) : 0) {
  // The allocation table and the DIFAT count their own sectors too: grow both until they
  // cover the whole file.
  const std::uint32_t fixedSectors = dataSectors + miniFatSectors + directorySectors;
  for (;;) {
    const std::uint32_t total = fixedSectors + fatSectors + difatSectors;
    const std::uint32_t needFat = sectorsFor(std::size_t{total} * 4, kSectorSize);
    const std::uint32_t needDifat =
        needFat > kHeaderDifatEntries
            ? (needFat - kHeaderDifatEntries + kIdsPerSector - 2) / (kIdsPerSector - 1)
            : 0;
    if (needFat == fatSectors && needDifat == difatSectors) break;
    fatSectors = needFat;
    difatSectors = needDifat;
  }
}

std::string header(const Layout& layout) {
  std::string header(kSectorSize, '\0');
  const char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  header.replace(0, 8, signature, 8);
  put16(header, 0x18, 0x003E);  // minor version
  put16(header, 0x1A, 0x0003);  // major version 3
  put16(header, 0x1C, 0xFFFE);  // little-endian
  put16(header, 0x1E, 9);       // 512-byte sectors
  put16(header, 0x20, 6);       // 64-byte mini sectors
  put32(header, 0x2C, layout.fatSectors);
  put32(header, 0x30, layout.directoryStart());
  put32(header, 0x38, kMiniStreamCutoff);
  put32(header, 0x3C, layout.miniFatSectors > 0 ? layout.miniFatStart() : kEndOfChain);
  put32(header, 0x40, layout.miniFatSectors);
  put32(header, 0x44, layout.difatSectors > 0 ? layout.difatStart() : kEndOfChain);
  put32(header, 0x48, layout.difatSectors);
  for (std::uint32_t i = 0; i < kHeaderDifatEntries; ++i) {
    put32(header, 0x4C + 4 * i, i < layout.fatSectors ? layout.fatStart() + i : kFree);
  }
  return header;
}

std::vector<std::uint32_t> miniFat(const Layout& layout) {
  std::vector<std::uint32_t> miniFat(std::size_t{layout.miniFatSectors} * kIdsPerSector, kFree);
  chain(miniFat, 0, layout.miniSectors);
  return miniFat;
}

std::string directory(const Layout& layout, std::u16string_view streamName,
                      std::size_t streamSize) {
  std::string directory;
  directory +=
      directoryEntry(u"Root Entry", 5, 1, layout.mini && layout.miniSectors > 0 ? 0 : kEndOfChain,
                     layout.mini ? layout.miniSectors * kMiniSectorSize : 0);
  const std::uint32_t start = streamSize == 0 ? kEndOfChain : 0;
  directory +=
      directoryEntry(streamName, 2, kNoStream, start, static_cast<std::uint32_t>(streamSize));
  while (directory.size() < kSectorSize) directory += unusedDirectoryEntry();
  return directory;
}

std::vector<std::uint32_t> fat(const Layout& layout) {
  std::vector<std::uint32_t> fat(std::size_t{layout.fatSectors} * kIdsPerSector, kFree);
  chain(fat, 0, layout.dataSectors);
  chain(fat, layout.miniFatStart(), layout.miniFatSectors);
  chain(fat, layout.directoryStart(), layout.directorySectors);
  for (std::uint32_t i = 0; i < layout.fatSectors; ++i) fat[layout.fatStart() + i] = kFatSect;
  for (std::uint32_t i = 0; i < layout.difatSectors; ++i) fat[layout.difatStart() + i] = kDifSect;
  return fat;
}

// The allocation table's sectors past the 109 the header lists, each DIFAT sector ending
// with the next one's position.
void writeDifat(std::ostream& out, const Layout& layout) {
  for (std::uint32_t d = 0; d < layout.difatSectors; ++d) {
    std::vector<std::uint32_t> ids(kIdsPerSector, kFree);
    for (std::uint32_t i = 0; i + 1 < kIdsPerSector; ++i) {
      const std::uint32_t fatIndex = kHeaderDifatEntries + d * (kIdsPerSector - 1) + i;
      if (fatIndex < layout.fatSectors) ids[i] = layout.fatStart() + fatIndex;
    }
    ids[kIdsPerSector - 1] =
        d + 1 < layout.difatSectors ? layout.difatStart() + d + 1 : kEndOfChain;
    writeIds(out, ids);
  }
}

}  // namespace

void writeCompoundFile(std::ostream& out, std::u16string_view streamName, std::string_view data) {
  const Layout layout(data.size());
  writeBytes(out, header(layout));
  writePadded(out, data, kSectorSize);
  if (layout.mini) writeIds(out, miniFat(layout));
  writeBytes(out, directory(layout, streamName, data.size()));
  writeIds(out, fat(layout));
  writeDifat(out, layout);
}

}  // namespace quillon::results
