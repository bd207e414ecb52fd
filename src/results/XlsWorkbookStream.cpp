#include "results/XlsWorkbookStream.h"

#include "results/BiffRecordWriter.h"
#include "results/TableColumns.h"

#include <algorithm>

namespace quillon::results {
namespace {

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

void writeBof(BiffRecordWriter& b, std::uint16_t substream) {
  b.begin(kBof);
  b.u16(0x0600);  // BIFF8
  b.u16(substream);
  b.u16(0x0DBB);
  b.u16(0x07CC);
  b.u32(0);
  b.u32(6);
  b.end();
}

// A BIFF8 short string: its length, the flags byte (one-byte characters) and the text.
void shortString(BiffRecordWriter& b, std::string_view text) {
  b.u8(static_cast<std::uint8_t>(text.size()));
  b.u8(0);
  b.bytes(text);
}

void writeWriteAccess(BiffRecordWriter& b) {
  b.begin(kWriteAccess);
  const std::string_view user = "Quillon";
  b.u16(static_cast<std::uint32_t>(user.size()));
  b.u8(0);
  b.bytes(user);
  b.bytes(std::string(112 - 3 - user.size(), ' '));
  b.end();
}

void writeWindow1(BiffRecordWriter& b) {
  b.begin(kWindow1);
  for (const std::uint32_t v : {0x01E0u, 0x005Au, 0x3FCFu, 0x2A4Eu, 0x0038u, 0u, 0u, 1u, 0x0258u}) {
    b.u16(v);
  }
  b.end();
}

void writeFont(BiffRecordWriter& b) {
  b.begin(kFont);
  b.u16(200);  // 10 points
  b.u16(0);
  b.u16(0x7FFF);
  b.u16(400);  // normal weight
  b.u16(0);
  b.u8(0);
  b.u8(0);
  b.u8(0);
  b.u8(0);
  shortString(b, "Arial");
  b.end();
}

// The fifteen style formats Excel expects, then the one cell format every cell uses.
void writeXfs(BiffRecordWriter& b) {
  for (int i = 0; i <= kCellXf; ++i) {
    const bool cellXf = i == kCellXf;
    b.begin(kXf);
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
    b.end();
  }
}

void writeStyle(BiffRecordWriter& b) {
  b.begin(kStyle);
  b.u16(0x8000);  // built-in style of format 0: Normal
  b.u8(0);
  b.u8(0xFF);
  b.end();
}

void writeGlobalsHead(BiffRecordWriter& b) {
  writeBof(b, 0x0005);
  b.record16(kInterfaceHdr, 0x04B0);
  b.record16(kMms, 0);
  b.empty(kInterfaceEnd);
  writeWriteAccess(b);
  b.record16(kCodePage, 0x04B0);  // UTF-16
  b.record16(kDsf, 0);
  b.record16(kTabId, 1);
  b.record16(kFnGroupCount, 0x000E);
  b.record16(kWindowProtect, 0);
  b.record16(kProtect, 0);
  b.record16(kPassword, 0);
  b.record16(kProt4Rev, 0);
  b.record16(kProt4RevPass, 0);
  writeWindow1(b);
  b.record16(kBackup, 0);
  b.record16(kHideObj, 0);
  b.record16(kDate1904, 0);
  b.record16(kCalcPrecision, 1);
  b.record16(kRefreshAll, 0);
  b.record16(kBookBool, 0);
  for (int i = 0; i < 5; ++i) writeFont(b);
  writeXfs(b);
  writeStyle(b);
  b.record16(kUsesElfs, 0);
}

// The sheet's entry; returns where its stream offset goes, which is known only once the
// globals are written.
std::size_t writeBoundSheet(BiffRecordWriter& b) {
  b.begin(kBoundSheet);
  const std::size_t offsetAt = b.size();
  b.u32(0);
  b.u8(0);
  b.u8(0);
  shortString(b, "Sheet1");
  b.end();
  return offsetAt;
}

// Where a string starts, in the stream and within its record, for EXTSST.
struct SstBucket {
  std::uint32_t position;
  std::uint16_t offset;
};

// The shared strings, continued over CONTINUE records: a string's header is never
// split, and a string whose characters go on in the next record repeats its flags there.
// Returns where every perBucket-th string starts.
std::vector<SstBucket> writeSst(BiffRecordWriter& b, const std::vector<std::u16string>& strings,
                                std::uint32_t references, std::size_t perBucket) {
  std::vector<SstBucket> buckets;
  b.begin(kSst);
  b.u32(references);
  b.u32(static_cast<std::uint32_t>(strings.size()));
  for (std::size_t i = 0; i < strings.size(); ++i) {
    const std::u16string& wide = strings[i];
    const bool twoBytes =
        std::any_of(wide.begin(), wide.end(), [](char16_t c) { return c > 0xFF; });
    b.keepTogether(3 + (twoBytes ? 2 : 1));
    if (i % perBucket == 0) {
      buckets.push_back({static_cast<std::uint32_t>(b.size()),
                         static_cast<std::uint16_t>(b.size() - b.recordStart())});
    }
    b.u16(static_cast<std::uint32_t>(wide.size()));
    b.u8(twoBytes ? 1 : 0);
    b.characters(wide, twoBytes);
  }
  b.end();
  return buckets;
}

void writeExtSst(BiffRecordWriter& b, std::size_t perBucket,
                 const std::vector<SstBucket>& buckets) {
  b.begin(kExtSst);
  b.u16(static_cast<std::uint32_t>(perBucket));
  for (const SstBucket& bucket : buckets) {
    b.u32(bucket.position);
    b.u16(bucket.offset);
    b.u16(0);
  }
  b.end();
}

// The workbook globals; returns where the sheet's stream offset goes.
std::size_t writeGlobals(BiffRecordWriter& b, const std::vector<std::u16string>& strings,
                         std::uint32_t references) {
  writeGlobalsHead(b);
  const std::size_t sheetOffsetAt = writeBoundSheet(b);
  const std::size_t perBucket = std::max<std::size_t>(8, strings.size() / 128 + 1);
  writeExtSst(b, perBucket, writeSst(b, strings, references, perBucket));
  b.empty(kEof);
  return sheetOffsetAt;
}

void writeSetup(BiffRecordWriter& b) {
  b.begin(kSetup);
  for (const std::uint32_t v : {0u, 100u, 1u, 1u, 1u, 0x0004u, 0u, 0u}) b.u16(v);
  b.f64(0.5);
  b.f64(0.5);
  b.u16(1);
  b.end();
}

void writeSheetHead(BiffRecordWriter& b) {
  writeBof(b, 0x0010);
  b.record16(kCalcMode, 1);
  b.record16(kCalcCount, 100);
  b.record16(kRefMode, 1);
  b.record16(kIteration, 0);
  b.begin(kDelta);
  b.f64(0.001);
  b.end();
  b.record16(kSaveRecalc, 1);
  b.record16(kPrintHeaders, 0);
  b.record16(kPrintGridlines, 0);
  b.record16(kGridSet, 1);
  b.begin(kGuts);
  for (int i = 0; i < 4; ++i) b.u16(0);
  b.end();
  b.begin(kDefaultRowHeight);
  b.u16(0);
  b.u16(0x00FF);
  b.end();
  b.record16(kWsBool, 0x04C1);
  b.empty(kHeader);
  b.empty(kFooter);
  b.record16(kHCenter, 0);
  b.record16(kVCenter, 0);
  writeSetup(b);
  b.record16(kDefColWidth, 8);
}

// The sheet's cells: per row, ten indices into the shared strings, kNoSharedString where empty.
class CellGrid {
 public:
  explicit CellGrid(const std::vector<std::uint32_t>& cells) : m_cells(cells) {}
  std::size_t rows() const { return m_cells.size() / kColumnCount; }
  std::uint32_t at(std::size_t row, std::size_t column) const {
    return m_cells[row * kColumnCount + column];
  }
  bool used(std::size_t row, std::size_t column) const {
    return at(row, column) != kNoSharedString;
  }

 private:
  const std::vector<std::uint32_t>& m_cells;
};

// The used range: rows and columns that hold at least one text.
void writeDimensions(BiffRecordWriter& b, const CellGrid& grid) {
  const std::size_t rows = grid.rows();
  std::size_t firstRow = rows, lastRow = 0, firstColumn = kColumnCount, lastColumn = 0;
  for (std::size_t row = 0; row < rows; ++row) {
    for (std::size_t column = 0; column < kColumnCount; ++column) {
      if (!grid.used(row, column)) continue;
      firstRow = std::min(firstRow, row);
      lastRow = std::max(lastRow, row);
      firstColumn = std::min(firstColumn, column);
      lastColumn = std::max(lastColumn, column);
    }
  }
  const bool any = firstRow < rows;
  b.begin(kDimensions);
  b.u32(any ? static_cast<std::uint32_t>(firstRow) : 0);
  b.u32(any ? static_cast<std::uint32_t>(lastRow + 1) : 0);
  b.u16(any ? static_cast<std::uint32_t>(firstColumn) : 0);
  b.u16(any ? static_cast<std::uint32_t>(lastColumn + 1) : 0);
  b.u16(0);
  b.end();
}

// A row's record, which spans its used columns; a row with none has no record.
void writeRowRecord(BiffRecordWriter& b, const CellGrid& grid, std::size_t row) {
  std::size_t first = kColumnCount, last = 0;
  for (std::size_t column = 0; column < kColumnCount; ++column) {
    if (grid.used(row, column)) {
      first = std::min(first, column);
      last = column;
    }
  }
  if (first == kColumnCount) return;
  b.begin(kRow);
  b.u16(static_cast<std::uint32_t>(row));
  b.u16(static_cast<std::uint32_t>(first));
  b.u16(static_cast<std::uint32_t>(last + 1));
  b.u16(0x00FF);
  b.u16(0);
  b.u16(0);
  b.u32(0x000F0100);
  b.end();
}

void writeCells(BiffRecordWriter& b, const CellGrid& grid, std::size_t row) {
  for (std::size_t column = 0; column < kColumnCount; ++column) {
    if (!grid.used(row, column)) continue;
    b.begin(kLabelSst);
    b.u16(static_cast<std::uint32_t>(row));
    b.u16(static_cast<std::uint32_t>(column));
    b.u16(kCellXf);
    b.u32(grid.at(row, column));
    b.end();
  }
}

void writeWindow2(BiffRecordWriter& b) {
  b.begin(kWindow2);
  for (const std::uint32_t v : {0x06B6u, 0u, 0u, 0x40u, 0u, 0u, 0u, 0u, 0u}) b.u16(v);
  b.end();
}

void writeSheet(BiffRecordWriter& b, const CellGrid& grid) {
  writeSheetHead(b);
  writeDimensions(b, grid);
  // Rows in blocks of 32: the block's row records, then its cells.
  const std::size_t rows = grid.rows();
  for (std::size_t blockStart = 0; blockStart < rows; blockStart += 32) {
    const std::size_t blockEnd = std::min(rows, blockStart + 32);
    for (std::size_t row = blockStart; row < blockEnd; ++row) writeRowRecord(b, grid, row);
    for (std::size_t row = blockStart; row < blockEnd; ++row) writeCells(b, grid, row);
  }
  writeWindow2(b);
  b.empty(kEof);
}

}  // namespace

std::string xlsWorkbookStream(const std::vector<std::u16string>& strings, std::uint32_t references,
                              const std::vector<std::uint32_t>& cells) {
  BiffRecordWriter b;
  const std::size_t sheetOffsetAt = writeGlobals(b, strings, references);
  b.put32At(sheetOffsetAt, static_cast<std::uint32_t>(b.size()));
  writeSheet(b, CellGrid(cells));
  return b.take();
}

}  // namespace quillon::results
