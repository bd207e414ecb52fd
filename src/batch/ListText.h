#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon::batch {

// One line of a list file that counts: not blank, not a "#" comment.
struct ListLine {
  int number = 0;    // in the file, from 1
  std::string text;  // without the white space around it
};

// The text of a list file (start addresses, or values for a template), read as UTF-8.
struct ListText {
  std::vector<ListLine> lines;
  // The lines that held bytes that are not UTF-8, each read with U+FFFD in their place.
  std::vector<int> badLines;
};

// Cuts the bytes into lines (LF or CR LF; a byte order mark at the start is dropped), keeps
// the lines that are neither blank nor begin with "#", and reads each as UTF-8, an invalid
// byte as U+FFFD.
ListText readListText(std::string_view bytes);

// What badLines means, said once for the whole file ("NAME is not UTF-8: line 4 (and 2 more
// lines) hold ..."); empty when there is none.
std::string notUtf8Problem(const ListText& text, std::string_view name);

}  // namespace quillon::batch
