#include "webfetch/PageEmail.h"

#include "parsers/Finders.h"
#include "text/Cp1252.h"
#include "text/Utf8.h"

#include <algorithm>
#include <vector>

namespace quillon::webfetch {
namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(),
                                                    [](char a, char b) { return a == lower(b); });
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool isValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 1;
    char32_t value = lead;
    if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      value = lead & 0x07u;
    } else if (lead >= 0xE0) {
      length = 3;
      value = lead & 0x0Fu;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      value = lead & 0x1Fu;
    } else if (lead >= 0x80) {
      return false;
    }
    if (lead > 0xF4 || i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0u) != 0x80u) return false;
      value = (value << 6) | (next & 0x3Fu);
    }
    const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
    if (overlong || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return false;
    i += length;
  }
  return true;
}

// The address a candidate stands for, when the e-mail finder gives it back whole.
std::string accepted(std::string_view candidate) {
  std::string email = parsers::FindEmail(candidate);
  return email.size() == candidate.size() ? email : std::string();
}

std::string percentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
        hexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string fromMailtoLinks(const std::vector<PageLinkText>& links) {
  for (const PageLinkText& link : links) {
    std::string_view href = link.href;
    while (!href.empty() && isBlank(href.front())) href.remove_prefix(1);
    if (!startsWithNoCase(href, "mailto:")) continue;
    href.remove_prefix(7);
    href = href.substr(0, href.find_first_of("?#"));
    std::string address = percentDecoded(href);
    // Several recipients: the first is the one.
    address = address.substr(0, address.find_first_of(",;"));
    std::string_view trimmed = address;
    while (!trimmed.empty() && isBlank(trimmed.front())) trimmed.remove_prefix(1);
    while (!trimmed.empty() && isBlank(trimmed.back())) trimmed.remove_suffix(1);
    if (std::string email = accepted(emailSearchText(trimmed)); !email.empty()) return email;
  }
  return {};
}

// "[at]", "( at )", "{dot}" ... at text[pos]: the length of the token and its stand-in,
// or zero.
std::size_t bracketWord(std::string_view text, std::size_t pos, char& standIn) {
  static constexpr std::string_view kOpen = "[({<";
  static constexpr std::string_view kClose = "])}>";
  const std::size_t kind = kOpen.find(text[pos]);
  if (kind == std::string_view::npos) return 0;
  std::size_t i = pos + 1;
  while (i < text.size() && isBlank(text[i])) ++i;
  std::size_t wordLength = 0;
  if (startsWithNoCase(text.substr(i), "at")) {
    standIn = '@';
    wordLength = 2;
  } else if (startsWithNoCase(text.substr(i), "dot")) {
    standIn = '.';
    wordLength = 3;
  } else {
    return 0;
  }
  i += wordLength;
  while (i < text.size() && isBlank(text[i])) ++i;
  if (i >= text.size() || text[i] != kClose[kind]) return 0;
  return i + 1 - pos;
}

std::string withBracketWordsRead(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char standIn = 0;
    if (const std::size_t length = bracketWord(text, i, standIn); length > 0) {
      while (!out.empty() && isBlank(out.back())) out.pop_back();
      out += standIn;
      i += length;
      while (i < text.size() && isBlank(text[i])) ++i;
    } else {
      out += text[i++];
    }
  }
  return out;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c == 0 || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// A character reference at html[pos] ("&#64;", "&#x40;", "&commat;"): its length and
// character, or zero. Only the names of characters an address is made of are known.
std::size_t characterReference(std::string_view html, std::size_t pos, char32_t& c) {
  if (html[pos] != '&') return 0;
  if (html.substr(pos, 2) == "&#") {
    std::size_t i = pos + 2;
    const bool hex = i < html.size() && (html[i] == 'x' || html[i] == 'X');
    if (hex) ++i;
    const std::size_t first = i;
    char32_t value = 0;
    while (i < html.size() && i - first < 8) {
      const int digit =
          hex ? hexValue(html[i]) : (html[i] >= '0' && html[i] <= '9' ? html[i] - '0' : -1);
      if (digit < 0) break;
      value = value * (hex ? 16 : 10) + static_cast<char32_t>(digit);
      ++i;
    }
    if (i == first) return 0;
    if (i < html.size() && html[i] == ';') ++i;
    c = value;
    return i - pos;
  }
  static constexpr struct {
    std::string_view name;
    char32_t c;
  } kNamed[] = {{"&commat;", U'@'}, {"&period;", U'.'}, {"&lowbar;", U'_'}, {"&amp;", U'&'}};
  for (const auto& named : kNamed) {
    if (html.substr(pos, named.name.size()) == named.name) {
      c = named.c;
      return named.name.size();
    }
  }
  return 0;
}

// An address that the raw HTML writes with character references. One written plainly in
// the markup is left alone: outside the visible text it is an image name ("logo@2x.png")
// or a key of some script far more often than an address.
std::string fromCharacterReferences(std::string_view html) {
  if (html.find('&') == std::string_view::npos) return {};
  std::string decoded;
  std::vector<bool> referenced;
  decoded.reserve(html.size());
  referenced.reserve(html.size());
  bool any = false;
  for (std::size_t i = 0; i < html.size();) {
    char32_t c = 0;
    if (const std::size_t length = characterReference(html, i, c); length > 0) {
      const std::size_t before = decoded.size();
      appendUtf8(decoded, c);
      referenced.resize(decoded.size(), true);
      any = any || decoded.size() > before;
      i += length;
    } else {
      decoded += html[i++];
      referenced.push_back(false);
    }
  }
  if (!any) return {};
  const std::string_view text = decoded;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::string email = parsers::FindEmail(text.substr(pos));
    if (email.empty()) break;
    const std::size_t at = text.find(email, pos);
    if (std::any_of(referenced.begin() + static_cast<long>(at),
                    referenced.begin() + static_cast<long>(at + email.size()),
                    [](bool r) { return r; })) {
      return email;
    }
    pos = at + email.size();
  }
  return {};
}

// Cloudflare's e-mail protection: hex bytes, the first the key that the others are
// XOR-ed with.
std::string cloudflareDecoded(std::string_view hex) {
  if (hex.size() < 4 || hex.size() % 2 != 0) return {};
  const int key = hexValue(hex[0]) * 16 + hexValue(hex[1]);
  std::string out;
  for (std::size_t i = 2; i < hex.size(); i += 2) {
    out += static_cast<char>((hexValue(hex[i]) * 16 + hexValue(hex[i + 1])) ^ key);
  }
  return out;
}

std::string fromCloudflare(std::string_view html) {
  static constexpr std::string_view kAttribute = "data-cfemail";
  static constexpr std::string_view kLink = "/cdn-cgi/l/email-protection#";
  for (std::size_t pos = 0;;) {
    const std::size_t attribute = html.find(kAttribute, pos);
    const std::size_t link = html.find(kLink, pos);
    std::size_t i = std::min(attribute, link);
    if (i == std::string_view::npos) return {};
    if (i == attribute) {
      i += kAttribute.size();
      while (i < html.size() && isBlank(html[i])) ++i;
      if (i >= html.size() || html[i] != '=') {
        pos = i;
        continue;
      }
      ++i;
      while (i < html.size() && isBlank(html[i])) ++i;
      if (i < html.size() && (html[i] == '"' || html[i] == '\'')) ++i;
    } else {
      i += kLink.size();
    }
    const std::size_t start = i;
    while (i < html.size() && hexValue(html[i]) >= 0) ++i;
    if (std::string email = accepted(cloudflareDecoded(html.substr(start, i - start)));
        !email.empty()) {
      return email;
    }
    pos = i;
  }
}

}  // namespace

std::string htmlAsUtf8(std::string_view body) {
  return isValidUtf8(body) ? std::string(body) : text::cp1252ToUtf8(body);
}

std::string emailSearchText(std::string_view utf8) {
  const std::u16string wide = text::utf8ToUtf16(utf8);
  std::string out;
  out.reserve(wide.size());
  for (const char16_t c : wide) {
    out += text::fitsCp1252(std::u16string_view(&c, 1)) ? text::cp1252FromChar(c) : ' ';
  }
  return out;
}

std::string findPageEmail(std::string_view html, const PageContent& content) {
  if (std::string email = fromMailtoLinks(content.links); !email.empty()) return email;
  const std::string text = emailSearchText(content.text);
  if (std::string email = parsers::FindEmail(text); !email.empty()) return email;
  if (std::string email = parsers::FindEmail(withBracketWordsRead(text)); !email.empty()) {
    return email;
  }
  if (std::string email = fromCharacterReferences(html); !email.empty()) return email;
  return fromCloudflare(html);
}

}  // namespace quillon::webfetch
