#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Readers of the files the spreadsheet writers produce, written apart from the writers:
// they share no code with them and refuse anything that is not well-formed. Each returns
// nullopt for a malformed file. Cells come back as UTF-16.

namespace quillon::fuzz {

using Rows = std::vector<std::vector<std::u16string>>;

// Strict UTF-8 to UTF-16; nullopt for any malformed sequence.
std::optional<std::u16string> decodeUtf8(std::string_view s);

// CSV as RFC 4180 has it, after a UTF-8 byte order mark; every record ends in CR LF.
std::optional<Rows> readCsv(std::string_view file);

// A JSON array of arrays of strings (RFC 8259, with surrogate pairs in \u escapes).
std::optional<Rows> readJson(std::string_view file);

// An OLE2 compound file holding a BIFF8 "Workbook" stream: the cells of its one sheet
// (LABELSST records resolved through the shared string table, CONTINUE records included),
// ten columns a row, rows up to the last one written.
std::optional<Rows> readXls(std::string_view file);

// The entry names of a ZIP archive, from its central directory, when every local header
// the directory points to is in place.
std::optional<std::set<std::string>> zipEntryNames(std::string_view file);

// The bytes of one stored or deflated entry of a ZIP archive.
std::optional<std::string> zipEntry(std::string_view file, std::string_view name);

}  // namespace quillon::fuzz
