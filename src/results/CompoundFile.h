#pragma once

#include <iosfwd>
#include <string_view>

namespace quillon::results {

// Writes an OLE2 compound file (version 3, 512-byte sectors) that holds one stream
// under the root storage, as Excel 97-2003 workbooks are stored. Streams under 4096
// bytes go to the mini stream, as the format requires; large ones get DIFAT sectors
// when the allocation table outgrows the header.
void writeCompoundFile(std::ostream& out, std::u16string_view streamName, std::string_view data);

}  // namespace quillon::results
