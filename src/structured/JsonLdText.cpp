#include "structured/JsonLdText.h"

#include "structured/StructuredDataError.h"

namespace quillon::structured {
namespace {

bool isJsonSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The position after a comment that starts at i ("//" or "/*"), or i when none starts there.
std::size_t afterComment(std::string_view text, std::size_t i) {
  if (text[i] != '/' || i + 1 >= text.size()) return i;
  if (text[i + 1] == '/') {
    const std::size_t end = text.find('\n', i + 2);
    return end == std::string_view::npos ? text.size() : end;
  }
  if (text[i + 1] == '*') {
    const std::size_t end = text.find("*/", i + 2);
    return end == std::string_view::npos ? text.size() : end + 2;
  }
  return i;
}

void dropTrailingComma(std::string& out) {
  std::size_t last = out.size();
  while (last > 0 && isJsonSpace(out[last - 1])) --last;
  if (last > 0 && out[last - 1] == ',') out.erase(last - 1, 1);
}

// The end of the run of plain string characters from i on.
std::size_t stringRunEnd(std::string_view text, std::size_t i) {
  while (i < text.size() && text[i] != '"' && text[i] != '\\' &&
         static_cast<unsigned char>(text[i]) >= 0x20) {
    ++i;
  }
  return i;
}

// One pass outside and inside strings: comments out, trailing commas out, control
// characters in strings made blanks, depth checked.
std::string scanned(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (inString) {
      const std::size_t end = stringRunEnd(text, i);
      out.append(text.substr(i, end - i));
      if (end >= text.size()) break;
      i = end;
      const char c = text[i];
      if (c == '\\') {
        out += c;
        if (i + 1 < text.size()) out += text[++i];
      } else {
        inString = c != '"';
        out += c == '"' ? c : ' ';
      }
      continue;
    }
    const char c = text[i];
    if (const std::size_t after = afterComment(text, i); after != i) {
      out += ' ';
      i = after - 1;
      continue;
    }
    if (c == '{' || c == '[') {
      if (++depth > kMaxJsonLdDepth) {
        throw StructuredDataError("it nests deeper than " + std::to_string(kMaxJsonLdDepth) +
                                  " levels");
      }
    } else if (c == '}' || c == ']') {
      depth = depth > 0 ? depth - 1 : 0;
      dropTrailingComma(out);
    } else if (c == '"') {
      inString = true;
    }
    out += c;
  }
  return out;
}

bool peelPrefix(std::string_view& text, std::string_view prefix) {
  if (text.substr(0, prefix.size()) != prefix) return false;
  text.remove_prefix(prefix.size());
  return true;
}

bool peelSuffix(std::string_view& text, std::string_view suffix) {
  if (text.size() < suffix.size() || text.substr(text.size() - suffix.size()) != suffix) {
    return false;
  }
  text.remove_suffix(suffix.size());
  return true;
}

void trim(std::string_view& text) {
  while (!text.empty() && (isJsonSpace(text.front()) || text.front() == '\f'))
    text.remove_prefix(1);
  while (!text.empty() && (isJsonSpace(text.back()) || text.back() == '\f')) text.remove_suffix(1);
}

}  // namespace

std::string tidyJsonLd(std::string_view block) {
  const std::string text = scanned(block);
  std::string_view rest = text;
  for (bool peeled = true; peeled;) {
    trim(rest);
    peeled = peelPrefix(rest, "\xEF\xBB\xBF") || peelPrefix(rest, "<!--") ||
             peelPrefix(rest, "<![CDATA[") || peelSuffix(rest, "-->") || peelSuffix(rest, "]]>") ||
             peelSuffix(rest, ";");
  }
  return std::string(rest);
}

}  // namespace quillon::structured
