#pragma once

#include <string>
#include <string_view>

namespace quillon::text {

// Appends a JSON string literal (quotes included) in UTF-8. Escapes \" \\ \n \r \t, every
// other control character below U+0020 and U+007F-U+009F as \u00xx; all else is raw UTF-8.
void appendJsonString(std::string& out, std::u16string_view text);

// The same as a new string.
std::string jsonString(std::u16string_view text);

// The same for cp1252 bytes (page texts, the finders' results).
std::string jsonStringFromCp1252(std::string_view bytes);

// The same for UTF-8 (table cells).
std::string jsonStringFromUtf8(std::string_view utf8);

}  // namespace quillon::text
