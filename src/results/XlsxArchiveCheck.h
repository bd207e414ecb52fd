#pragma once

#include <string>

namespace quillon::results {

// Reads a finished .xlsx archive back, part by part. The workbook library writes every
// part through a temporary file and does not notice when such a write fails (a full disk,
// a file-size limit): the cut part would be packed and the export taken for done.
// Throws ExportError when the archive is not whole or an XML part does not end with the
// closing tag of its root element.
void checkXlsxArchive(const std::string& path);

}  // namespace quillon::results
