#include "SpreadsheetReaders.h"

// The text readers: UTF-8, CSV and JSON.

namespace quillon::fuzz {

std::optional<std::u16string> decodeUtf8(std::string_view s) {
  std::u16string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 1;
    char32_t cp = b;
    char32_t min = 0;
    if (b >= 0x80) {
      if ((b & 0xE0) == 0xC0) {
        n = 2, cp = b & 0x1F, min = 0x80;
      } else if ((b & 0xF0) == 0xE0) {
        n = 3, cp = b & 0x0F, min = 0x800;
      } else if ((b & 0xF8) == 0xF0) {
        n = 4, cp = b & 0x07, min = 0x10000;
      } else {
        return std::nullopt;
      }
      if (i + n > s.size()) return std::nullopt;
      for (std::size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (c & 0x3F);
      }
      if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    }
    if (cp >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += n;
  }
  return out;
}

std::optional<Rows> readCsv(std::string_view file) {
  if (file.substr(0, 3) != "\xEF\xBB\xBF") return std::nullopt;
  Rows rows;
  std::size_t pos = 3;
  while (pos < file.size()) {
    std::vector<std::u16string> record;
    while (true) {
      std::string field;
      if (pos < file.size() && file[pos] == '"') {
        ++pos;
        while (true) {
          if (pos >= file.size()) return std::nullopt;
          if (file[pos] == '"') {
            if (pos + 1 < file.size() && file[pos + 1] == '"') {
              field += '"';
              pos += 2;
              continue;
            }
            ++pos;
            break;
          }
          field += file[pos++];
        }
      } else {
        while (pos < file.size() && file[pos] != ',' && file[pos] != '\r') {
          if (file[pos] == '"' || file[pos] == '\n') return std::nullopt;
          field += file[pos++];
        }
      }
      auto decoded = decodeUtf8(field);
      if (!decoded) return std::nullopt;
      record.push_back(std::move(*decoded));
      if (pos < file.size() && file[pos] == ',') {
        ++pos;
        continue;
      }
      if (file.substr(pos, 2) != "\r\n") return std::nullopt;
      pos += 2;
      break;
    }
    rows.push_back(std::move(record));
  }
  return rows;
}

namespace {

class JsonReader {
 public:
  explicit JsonReader(std::string_view s) : m_s(s) {}

  std::optional<Rows> document() {
    Rows rows;
    space();
    if (!take('[')) return std::nullopt;
    space();
    if (!take(']')) {
      do {
        space();
        auto row = stringArray();
        if (!row) return std::nullopt;
        rows.push_back(std::move(*row));
        space();
      } while (take(','));
      if (!take(']')) return std::nullopt;
    }
    space();
    if (m_pos != m_s.size()) return std::nullopt;
    return rows;
  }

 private:
  bool take(char c) {
    if (m_pos < m_s.size() && m_s[m_pos] == c) {
      ++m_pos;
      return true;
    }
    return false;
  }
  void space() {
    while (m_pos < m_s.size() &&
           (m_s[m_pos] == ' ' || m_s[m_pos] == '\t' || m_s[m_pos] == '\n' || m_s[m_pos] == '\r'))
      ++m_pos;
  }

  std::optional<std::vector<std::u16string>> stringArray() {
    std::vector<std::u16string> row;
    if (!take('[')) return std::nullopt;
    space();
    if (take(']')) return row;
    do {
      space();
      auto value = string();
      if (!value) return std::nullopt;
      row.push_back(std::move(*value));
      space();
    } while (take(','));
    if (!take(']')) return std::nullopt;
    return row;
  }

  std::optional<char16_t> hex4() {
    if (m_pos + 4 > m_s.size()) return std::nullopt;
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = m_s[m_pos++];
      value <<= 4;
      if (c >= '0' && c <= '9') {
        value |= static_cast<unsigned>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        value |= static_cast<unsigned>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        value |= static_cast<unsigned>(c - 'A' + 10);
      } else {
        return std::nullopt;
      }
    }
    return static_cast<char16_t>(value);
  }

  std::optional<std::u16string> string() {
    if (!take('"')) return std::nullopt;
    std::u16string out;
    std::string raw;  // UTF-8 bytes since the last escape
    const auto flush = [&]() {
      auto decoded = decodeUtf8(raw);
      raw.clear();
      if (!decoded) return false;
      out += *decoded;
      return true;
    };
    while (true) {
      if (m_pos >= m_s.size()) return std::nullopt;
      const char c = m_s[m_pos++];
      if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
      if (c == '"') break;
      if (c != '\\') {
        raw += c;
        continue;
      }
      if (!flush() || m_pos >= m_s.size()) return std::nullopt;
      const char e = m_s[m_pos++];
      switch (e) {
        case '"':
          out += u'"';
          break;
        case '\\':
          out += u'\\';
          break;
        case '/':
          out += u'/';
          break;
        case 'b':
          out += u'\b';
          break;
        case 'f':
          out += u'\f';
          break;
        case 'n':
          out += u'\n';
          break;
        case 'r':
          out += u'\r';
          break;
        case 't':
          out += u'\t';
          break;
        case 'u': {
          const auto unit = hex4();
          if (!unit) return std::nullopt;
          if (*unit >= 0xDC00 && *unit <= 0xDFFF) return std::nullopt;
          out += *unit;
          if (*unit >= 0xD800 && *unit <= 0xDBFF) {
            if (!take('\\') || !take('u')) return std::nullopt;
            const auto low = hex4();
            if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
            out += *low;
          }
          break;
        }
        default:
          return std::nullopt;
      }
    }
    if (!flush()) return std::nullopt;
    return out;
  }

  std::string_view m_s;
  std::size_t m_pos = 0;
};

}  // namespace

std::optional<Rows> readJson(std::string_view file) { return JsonReader(file).document(); }

}  // namespace quillon::fuzz
