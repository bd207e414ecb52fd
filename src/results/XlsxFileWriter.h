#pragma once

#include "results/RowWriter.h"

#include <string>

struct lxw_workbook;
struct lxw_worksheet;

namespace quillon::results {

// An Excel workbook (.xlsx) through libxlsxwriter in constant-memory mode: each row goes
// to disk as it comes, so memory stays flat whatever the table's size. One sheet, every
// non-empty cell a text. Writes to a file path (the library has no stream output).
class XlsxFileWriter final : public RowWriter {
 public:
  static constexpr std::size_t kMaxRows = 1048576;

  explicit XlsxFileWriter(std::string path);
  XlsxFileWriter(const XlsxFileWriter&) = delete;
  XlsxFileWriter& operator=(const XlsxFileWriter&) = delete;
  ~XlsxFileWriter() override;

  void begin(std::size_t rowCount) override;
  void writeRow(const RowCells& cells) override;
  void finish() override;

 private:
  std::string m_path;
  lxw_workbook* m_workbook = nullptr;
  lxw_worksheet* m_worksheet = nullptr;
  std::uint32_t m_row = 0;
  std::string m_utf8;
};

}  // namespace quillon::results
