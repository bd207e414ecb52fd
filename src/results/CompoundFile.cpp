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

void writeIds(std::ostream& out, const std::vector<std::uint32_t>& ids) {
  std::string bytes(ids.size() * 4, '\0');
  for (std::size_t i = 0; i < ids.size(); ++i) put32(bytes, 4 * i, ids[i]);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void writePadded(std::ostream& out, std::string_view data, std::uint32_t unit) {
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  const std::size_t rest = data.size() % unit;
  if (rest != 0) out << std::string(unit - rest, '\0');
}

}  // namespace

void writeCompoundFile(std::ostream& out, std::u16string_view streamName, std::string_view data) {
  const bool mini = data.size() < kMiniStreamCutoff;
  // Sectors in file order: the stream (or the mini stream that holds it), the mini
  // allocation table, the directory, the allocation table, the DIFAT.
  const std::uint32_t miniSectors = mini ? sectorsFor(data.size(), kMiniSectorSize) : 0;
  const std::uint32_t dataSectors =
      mini ? sectorsFor(std::size_t{miniSectors} * kMiniSectorSize, kSectorSize)
           : sectorsFor(data.size(), kSectorSize);
  const std::uint32_t miniFatSectors =
      mini ? sectorsFor(std::size_t{miniSectors} * 4, kSectorSize) : 0;
  const std::uint32_t directorySectors = 1;
  const std::uint32_t fixedSectors = dataSectors + miniFatSectors + directorySectors;

  std::uint32_t fatSectors = 0;
  std::uint32_t difatSectors = 0;
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

  const std::uint32_t miniFatStart = dataSectors;
  const std::uint32_t directoryStart = miniFatStart + miniFatSectors;
  const std::uint32_t fatStart = directoryStart + directorySectors;
  const std::uint32_t difatStart = fatStart + fatSectors;

  std::vector<std::uint32_t> fat(std::size_t{fatSectors} * kIdsPerSector, kFree);
  chain(fat, 0, dataSectors);
  chain(fat, miniFatStart, miniFatSectors);
  chain(fat, directoryStart, directorySectors);
  for (std::uint32_t i = 0; i < fatSectors; ++i) fat[fatStart + i] = kFatSect;
  for (std::uint32_t i = 0; i < difatSectors; ++i) fat[difatStart + i] = kDifSect;

  std::string header(kSectorSize, '\0');
  const char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  header.replace(0, 8, signature, 8);
  put16(header, 0x18, 0x003E);  // minor version
  put16(header, 0x1A, 0x0003);  // major version 3
  put16(header, 0x1C, 0xFFFE);  // little-endian
  put16(header, 0x1E, 9);       // 512-byte sectors
  put16(header, 0x20, 6);       // 64-byte mini sectors
  put32(header, 0x2C, fatSectors);
  put32(header, 0x30, directoryStart);
  put32(header, 0x38, kMiniStreamCutoff);
  put32(header, 0x3C, miniFatSectors > 0 ? miniFatStart : kEndOfChain);
  put32(header, 0x40, miniFatSectors);
  put32(header, 0x44, difatSectors > 0 ? difatStart : kEndOfChain);
  put32(header, 0x48, difatSectors);
  for (std::uint32_t i = 0; i < kHeaderDifatEntries; ++i) {
    put32(header, 0x4C + 4 * i, i < fatSectors ? fatStart + i : kFree);
  }
  out.write(header.data(), static_cast<std::streamsize>(header.size()));

  writePadded(out, data, kSectorSize);

  if (mini) {
    std::vector<std::uint32_t> miniFat(std::size_t{miniFatSectors} * kIdsPerSector, kFree);
    chain(miniFat, 0, miniSectors);
    writeIds(out, miniFat);
  }

  std::string directory;
  directory += directoryEntry(u"Root Entry", 5, 1, mini && miniSectors > 0 ? 0 : kEndOfChain,
                              mini ? miniSectors * kMiniSectorSize : 0);
  const auto size = static_cast<std::uint32_t>(data.size());
  const std::uint32_t start = data.empty() ? kEndOfChain : 0;
  directory += directoryEntry(streamName, 2, kNoStream, start, size);
  while (directory.size() < kSectorSize) directory += unusedDirectoryEntry();
  out.write(directory.data(), static_cast<std::streamsize>(directory.size()));

  writeIds(out, fat);

  for (std::uint32_t d = 0; d < difatSectors; ++d) {
    std::vector<std::uint32_t> ids(kIdsPerSector, kFree);
    for (std::uint32_t i = 0; i + 1 < kIdsPerSector; ++i) {
      const std::uint32_t fatIndex = kHeaderDifatEntries + d * (kIdsPerSector - 1) + i;
      if (fatIndex < fatSectors) ids[i] = fatStart + fatIndex;
    }
    ids[kIdsPerSector - 1] = d + 1 < difatSectors ? difatStart + d + 1 : kEndOfChain;
    writeIds(out, ids);
  }
}

}  // namespace quillon::results
