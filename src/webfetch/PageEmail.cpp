#include "webfetch/PageEmail.h"

#include "parsers/Finders.h"
#include "text/Ascii.h"
#include "text/CharacterReferences.h"
#include "text/Cp1252.h"
#include "text/Utf8.h"

#include <algorithm>
#include <vector>

namespace quillon::webfetch {
namespace {

// The address a candidate stands for, when the e-mail finder gives it back whole.
std::string accepted(std::string_view candidate) {
  std::string email = parsers::FindEmail(candidate);
  return email.size() == candidate.size() ? email : std::string();
}

std::string fromMailtoLinks(const std::vector<PageLinkText>& links) {
  for (const PageLinkText& link : links) {
    std::string_view href = link.href;
    while (!href.empty() && text::isAsciiSpace(href.front())) href.remove_prefix(1);
    if (!text::startsWithNoCase(href, "mailto:")) continue;
    href.remove_prefix(7);
    href = href.substr(0, href.find_first_of("?#"));
    std::string address = text::percentDecoded(href);
    // Several recipients: the first is the one.
    address = address.substr(0, address.find_first_of(",;"));
    std::string_view trimmed = address;
    while (!trimmed.empty() && text::isAsciiSpace(trimmed.front())) trimmed.remove_prefix(1);
    while (!trimmed.empty() && text::isAsciiSpace(trimmed.back())) trimmed.remove_suffix(1);
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
  while (i < text.size() && text::isAsciiSpace(text[i])) ++i;
  std::size_t wordLength = 0;
  if (text::startsWithNoCase(text.substr(i), "at")) {
    standIn = '@';
    wordLength = 2;
  } else if (text::startsWithNoCase(text.substr(i), "dot")) {
    standIn = '.';
    wordLength = 3;
  } else {
    return 0;
  }
  i += wordLength;
  while (i < text.size() && text::isAsciiSpace(text[i])) ++i;
  if (i >= text.size() || text[i] != kClose[kind]) return 0;
  return i + 1 - pos;
}

std::string withBracketWordsRead(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char standIn = 0;
    if (const std::size_t length = bracketWord(text, i, standIn); length > 0) {
      while (!out.empty() && text::isAsciiSpace(out.back())) out.pop_back();
      out += standIn;
      i += length;
      while (i < text.size() && text::isAsciiSpace(text[i])) ++i;
    } else {
      out += text[i++];
    }
  }
  return out;
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
    if (const auto reference = text::characterReferenceAt(html.substr(i))) {
      decoded += reference->utf8;
      referenced.resize(decoded.size(), true);
      any = true;
      i += reference->length;
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
  const int key = text::hexDigitValue(hex[0]) * 16 + text::hexDigitValue(hex[1]);
  std::string out;
  for (std::size_t i = 2; i < hex.size(); i += 2) {
    out += static_cast<char>((text::hexDigitValue(hex[i]) * 16 + text::hexDigitValue(hex[i + 1])) ^
                             key);
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
      while (i < html.size() && text::isAsciiSpace(html[i])) ++i;
      if (i >= html.size() || html[i] != '=') {
        pos = i;
        continue;
      }
      ++i;
      while (i < html.size() && text::isAsciiSpace(html[i])) ++i;
      if (i < html.size() && (html[i] == '"' || html[i] == '\'')) ++i;
    } else {
      i += kLink.size();
    }
    const std::size_t start = i;
    while (i < html.size() && text::hexDigitValue(html[i]) >= 0) ++i;
    if (std::string email = accepted(cloudflareDecoded(html.substr(start, i - start)));
        !email.empty()) {
      return email;
    }
    pos = i;
  }
}

}  // namespace

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
