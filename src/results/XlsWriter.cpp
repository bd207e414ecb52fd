#include "results/XlsWriter.h"

#include "results/CompoundFile.h"
#include "results/ResultsError.h"
#include "text/Cp1252.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace quillon::results {
namespace {

constexpr std::size_t kMaxRecordData = 8224;
constexpr std::size_t kMaxCellChars = 32767;
constexpr std::uint16_t kCellXf = 15;

enum RecordType : std::uint16_t {
  kBof = 0x0809,
  kEof = 0x000A,
  kInterfaceHdr = 0x00E1,
  kMms = 0x00C1,
  kInterfaceEnd = 0x00E2,
  kWriteAccess = 0x005C,
  kCodePage = 0x0042,
  kDsf = 0x0161,
  kTabId = 0x013D,
  kFnGroupCount = 0x009C,
  kWindowProtect = 0x0019,
  kProtect = 0x0012,
  kPassword = 0x0013,
  kProt4Rev = 0x01AF,
  kProt4RevPass = 0x01BC,
  kWindow1 = 0x003D,
  kBackup = 0x0040,
  kHideObj = 0x008D,
  kDate1904 = 0x0022,
  kCalcPrecision = 0x000E,
  kRefreshAll = 0x01B7,
  kBookBool = 0x00DA,
  kFont = 0x0031,
  kXf = 0x00E0,
  kStyle = 0x0293,
  kUsesElfs = 0x0160,
  kBoundSheet = 0x0085,
  kSst = 0x00FC,
  kContinue = 0x003C,
  kExtSst = 0x00FF,
  kCalcMode = 0x000D,
  kCalcCount = 0x000C,
  kRefMode = 0x000F,
  kIteration = 0x0011,
  kDelta = 0x0010,
  kSaveRecalc = 0x005F,
  kPrintHeaders = 0x002A,
  kPrintGridlines = 0x002B,
  kGridSet = 0x0082,
  kGuts = 0x0080,
  kDefaultRowHeight = 0x0225,
  kWsBool = 0x0081,
  kHeader = 0x0014,
  kFooter = 0x0015,
  kHCenter = 0x0083,
  kVCenter = 0x0084,
  kSetup = 0x00A1,
  kDefColWidth = 0x0055,
  kDimensions = 0x0200,
  kRow = 0x0208,
  kLabelSst = 0x00FD,
  kWindow2 = 0x023E,
};

// The workbook stream under construction: little-endian values and length-patched records.
class Biff {
 public:
  std::string bytes;

  std::size_t size() const { return bytes.size(); }
  void u8(std::uint8_t v) { bytes.push_back(static_cast<char>(v)); }
  void u16(std::uint32_t v) {
    u8(static_cast<std::uint8_t>(v & 0xFF));
    u8(static_cast<std::uint8_t>((v >> 8) & 0xFF));
  }
  void u32(std::uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  }
  void f64(double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    u32(static_cast<std::uint32_t>(bits & 0xFFFFFFFFu));
    u32(static_cast<std::uint32_t>(bits >> 32));
  }
  void put32At(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  }

  // Opens a record; returns where it starts, for end().
  std::size_t begin(std::uint16_t type) {
    const std::size_t start = size();
    u16(type);
    u16(0);
    return start;
  }
  void end(std::size_t start) {
    const std::size_t length = size() - start - 4;
    bytes[start + 2] = static_cast<char>(length & 0xFF);
    bytes[start + 3] = static_cast<char>((length >> 8) & 0xFF);
  }
  std::size_t room(std::size_t start) const { return kMaxRecordData - (size() - start - 4); }

  void record16(std::uint16_t type, std::uint32_t value) {
    const std::size_t r = begin(type);
    u16(value);
    end(r);
  }
  void empty(std::uint16_t type) { end(begin(type)); }
};

void writeBof(Biff& b, std::uint16_t substream) {
  const std::size_t r = b.begin(kBof);
  b.u16(0x0600);  // BIFF8
  b.u16(substream);
  b.u16(0x0DBB);
  b.u16(0x07CC);
  b.u32(0);
  b.u32(6);
  b.end(r);
}

void writeFont(Biff& b) {
  const std::size_t r = b.begin(kFont);
  b.u16(200);  // 10 points
  b.u16(0);
  b.u16(0x7FFF);
  b.u16(400);  // normal weight
  b.u16(0);
  b.u8(0);
  b.u8(0);
  b.u8(0);
  b.u8(0);
  const std::string_view name = "Arial";
  b.u8(static_cast<std::uint8_t>(name.size()));
  b.u8(0);
  b.bytes += name;
  b.end(r);
}

// The fifteen style formats Excel expects, then the one cell format every cell uses.
void writeXfs(Biff& b) {
  for (int i = 0; i <= kCellXf; ++i) {
    const bool cellXf = i == kCellXf;
    const std::size_t r = b.begin(kXf);
    b.u16(i == 1 || i == 2 ? 1 : (i == 3 || i == 4 ? 2 : 0));  // font
    b.u16(0);                                                  // General
    b.u16(cellXf ? 0x0001 : 0xFFF5);                           // locked; style parent
    b.u8(0x20);                                                // bottom-aligned
    b.u8(0);
    b.u8(0);
    b.u8(cellXf || i == 0 ? 0x00 : 0xF4);
    b.u32(0);
    b.u32(0);
    b.u16(0x20C0);
    b.end(r);
  }
}

void writeGlobalsHead(Biff& b) {
  writeBof(b, 0x0005);
  b.record16(kInterfaceHdr, 0x04B0);
  b.record16(kMms, 0);
  b.empty(kInterfaceEnd);
  {
    const std::size_t r = b.begin(kWriteAccess);
    const std::string_view user = "Quillon";
    b.u16(static_cast<std::uint32_t>(user.size()));
    b.u8(0);
    b.bytes += user;
    b.bytes.append(112 - 3 - user.size(), ' ');
    b.end(r);
  }
  b.record16(kCodePage, 0x04B0);  // UTF-16
  b.record16(kDsf, 0);
  b.record16(kTabId, 1);
  b.record16(kFnGroupCount, 0x000E);
  b.record16(kWindowProtect, 0);
  b.record16(kProtect, 0);
  b.record16(kPassword, 0);
  b.record16(kProt4Rev, 0);
  b.record16(kProt4RevPass, 0);
  {
    const std::size_t r = b.begin(kWindow1);
    for (const std::uint32_t v :
         {0x01E0u, 0x005Au, 0x3FCFu, 0x2A4Eu, 0x0038u, 0u, 0u, 1u, 0x0258u}) {
      b.u16(v);
    }
    b.end(r);
  }
  b.record16(kBackup, 0);
  b.record16(kHideObj, 0);
  b.record16(kDate1904, 0);
  b.record16(kCalcPrecision, 1);
  b.record16(kRefreshAll, 0);
  b.record16(kBookBool, 0);
  for (int i = 0; i < 5; ++i) writeFont(b);
  writeXfs(b);
  {
    const std::size_t r = b.begin(kStyle);
    b.u16(0x8000);  // built-in style of format 0: Normal
    b.u8(0);
    b.u8(0xFF);
    b.end(r);
  }
  b.record16(kUsesElfs, 0);
}

// The shared strings, continued over CONTINUE records: a string's header is never
// split, and a string whose characters go on in the next record repeats its flags there.
void writeSst(Biff& b, const std::vector<std::string>& strings, std::uint32_t references) {
  const std::size_t perBucket = std::max<std::size_t>(8, strings.size() / 128 + 1);
  std::vector<std::pair<std::uint32_t, std::uint16_t>> buckets;
  std::size_t r = b.begin(kSst);
  b.u32(references);
  b.u32(static_cast<std::uint32_t>(strings.size()));
  for (std::size_t i = 0; i < strings.size(); ++i) {
    const std::u16string wide = text::cp1252ToUtf16(strings[i]);
    const bool wideChars =
        std::any_of(wide.begin(), wide.end(), [](char16_t c) { return c > 0xFF; });
    const std::size_t charSize = wideChars ? 2 : 1;
    if (b.room(r) < 3 + charSize) {
      b.end(r);
      r = b.begin(kContinue);
    }
    if (i % perBucket == 0) {
      buckets.emplace_back(static_cast<std::uint32_t>(b.size()),
                           static_cast<std::uint16_t>(b.size() - r));
    }
    b.u16(static_cast<std::uint32_t>(wide.size()));
    b.u8(wideChars ? 1 : 0);
    for (std::size_t done = 0; done < wide.size();) {
      std::size_t fit = b.room(r) / charSize;
      if (fit == 0) {
        b.end(r);
        r = b.begin(kContinue);
        b.u8(wideChars ? 1 : 0);
        fit = b.room(r) / charSize;
      }
      const std::size_t count = std::min(fit, wide.size() - done);
      for (std::size_t k = done; k < done + count; ++k) {
        if (wideChars) {
          b.u16(wide[k]);
        } else {
          b.u8(static_cast<std::uint8_t>(wide[k]));
        }
      }
      done += count;
    }
  }
  b.end(r);

  r = b.begin(kExtSst);
  b.u16(static_cast<std::uint32_t>(perBucket));
  for (const auto& [position, offset] : buckets) {
    b.u32(position);
    b.u16(offset);
    b.u16(0);
  }
  b.end(r);
}

void writeSheetHead(Biff& b) {
  writeBof(b, 0x0010);
  b.record16(kCalcMode, 1);
  b.record16(kCalcCount, 100);
  b.record16(kRefMode, 1);
  b.record16(kIteration, 0);
  {
    const std::size_t r = b.begin(kDelta);
    b.f64(0.001);
    b.end(r);
  }
  b.record16(kSaveRecalc, 1);
  b.record16(kPrintHeaders, 0);
  b.record16(kPrintGridlines, 0);
  b.record16(kGridSet, 1);
  {
    const std::size_t r = b.begin(kGuts);
    for (int i = 0; i < 4; ++i) b.u16(0);
    b.end(r);
  }
  {
    const std::size_t r = b.begin(kDefaultRowHeight);
    b.u16(0);
    b.u16(0x00FF);
    b.end(r);
  }
  b.record16(kWsBool, 0x04C1);
  b.empty(kHeader);
  b.empty(kFooter);
  b.record16(kHCenter, 0);
  b.record16(kVCenter, 0);
  {
    const std::size_t r = b.begin(kSetup);
    for (const std::uint32_t v : {0u, 100u, 1u, 1u, 1u, 0x0004u, 0u, 0u}) b.u16(v);
    b.f64(0.5);
    b.f64(0.5);
    b.u16(1);
    b.end(r);
  }
  b.record16(kDefColWidth, 8);
}

void writeWindow2(Biff& b) {
  const std::size_t r = b.begin(kWindow2);
  for (const std::uint32_t v : {0x06B6u, 0u, 0u, 0x40u, 0u, 0u, 0u, 0u, 0u}) b.u16(v);
  b.end(r);
}

}  // namespace

void XlsWriter::checkRowCount(std::size_t rowCount) {
  if (rowCount > kMaxRows) {
    throw ExportError("The table has " + std::to_string(rowCount) +
                      " rows, more than the 65,536 an Excel 97-2003 (.xls) sheet holds; "
                      "save it as .xlsx instead");
  }
}

void XlsWriter::begin(std::size_t rowCount) {
  checkRowCount(rowCount);
  m_cells.reserve(rowCount * kColumnCount);
}

std::uint32_t XlsWriter::intern(std::string_view cp1252) {
  if (cp1252.empty()) return kNoString;
  if (cp1252.size() > kMaxCellChars) {
    throw ExportError("A cell holds " + std::to_string(cp1252.size()) +
                      " characters, more than the 32,767 a spreadsheet cell takes; "
                      "save the table as .csv or .json instead");
  }
  ++m_references;
  const auto [it, added] =
      m_stringIndex.try_emplace(std::string(cp1252), static_cast<std::uint32_t>(m_strings.size()));
  if (added) m_strings.emplace_back(cp1252);
  return it->second;
}

void XlsWriter::writeRow(const RowCells& cells) {
  checkRowCount(m_cells.size() / kColumnCount + 1);
  for (const std::string_view cell : cells) m_cells.push_back(intern(cell));
}

std::string XlsWriter::workbookStream() const {
  Biff b;
  writeGlobalsHead(b);
  std::size_t sheetPosition = 0;
  {
    const std::size_t r = b.begin(kBoundSheet);
    sheetPosition = b.size();
    b.u32(0);  // the sheet's offset, known once the globals are written
    b.u8(0);
    b.u8(0);
    const std::string_view name = "Sheet1";
    b.u8(static_cast<std::uint8_t>(name.size()));
    b.u8(0);
    b.bytes += name;
    b.end(r);
  }
  writeSst(b, m_strings, m_references);
  b.empty(kEof);

  b.put32At(sheetPosition, static_cast<std::uint32_t>(b.size()));
  writeSheetHead(b);

  const std::size_t rows = m_cells.size() / kColumnCount;
  const auto used = [&](std::size_t row, std::size_t column) {
    return m_cells[row * kColumnCount + column] != kNoString;
  };
  // The used range: rows and columns that hold at least one text.
  std::size_t firstRow = rows, lastRow = 0, firstColumn = kColumnCount, lastColumn = 0;
  for (std::size_t row = 0; row < rows; ++row) {
    for (std::size_t column = 0; column < kColumnCount; ++column) {
      if (!used(row, column)) continue;
      firstRow = std::min(firstRow, row);
      lastRow = std::max(lastRow, row);
      firstColumn = std::min(firstColumn, column);
      lastColumn = std::max(lastColumn, column);
    }
  }
  {
    const bool any = firstRow < rows;
    const std::size_t r = b.begin(kDimensions);
    b.u32(any ? static_cast<std::uint32_t>(firstRow) : 0);
    b.u32(any ? static_cast<std::uint32_t>(lastRow + 1) : 0);
    b.u16(any ? static_cast<std::uint32_t>(firstColumn) : 0);
    b.u16(any ? static_cast<std::uint32_t>(lastColumn + 1) : 0);
    b.u16(0);
    b.end(r);
  }

  // Rows in blocks of 32: the block's row records, then its cells.
  for (std::size_t blockStart = 0; blockStart < rows; blockStart += 32) {
    const std::size_t blockEnd = std::min(rows, blockStart + 32);
    for (std::size_t row = blockStart; row < blockEnd; ++row) {
      std::size_t first = kColumnCount, last = 0;
      for (std::size_t column = 0; column < kColumnCount; ++column) {
        if (used(row, column)) {
          first = std::min(first, column);
          last = column;
        }
      }
      if (first == kColumnCount) continue;
      const std::size_t r = b.begin(kRow);
      b.u16(static_cast<std::uint32_t>(row));
      b.u16(static_cast<std::uint32_t>(first));
      b.u16(static_cast<std::uint32_t>(last + 1));
      b.u16(0x00FF);
      b.u16(0);
      b.u16(0);
      b.u32(0x000F0100);
      b.end(r);
    }
    for (std::size_t row = blockStart; row < blockEnd; ++row) {
      for (std::size_t column = 0; column < kColumnCount; ++column) {
        if (!used(row, column)) continue;
        const std::size_t r = b.begin(kLabelSst);
        b.u16(static_cast<std::uint32_t>(row));
        b.u16(static_cast<std::uint32_t>(column));
        b.u16(kCellXf);
        b.u32(m_cells[row * kColumnCount + column]);
        b.end(r);
      }
    }
  }
  writeWindow2(b);
  b.empty(kEof);
  return std::move(b.bytes);
}

void XlsWriter::finish() {
  const std::string stream = workbookStream();
  writeCompoundFile(m_out, u"Workbook", stream);
  m_out.flush();
}

}  // namespace quillon::results
