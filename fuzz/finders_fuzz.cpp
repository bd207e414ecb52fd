// FindLink and FindEmail on arbitrary cp1252 text: they end, raise nothing, and whatever
// they return is a piece of the input of the shape their patterns allow.

#include "FuzzSupport.h"
#include "parsers/Finders.h"

namespace {

bool isWordByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-';
}

// name@host.domain[.more]: the e-mail pattern, checked by hand.
bool looksLikeEmail(std::string_view s) {
  const std::size_t at = s.find('@');
  if (at == 0 || at == std::string_view::npos) return false;
  for (char c : s.substr(0, at)) {
    if (!isWordByte(c) && c != '.') return false;
  }
  const std::string_view domain = s.substr(at + 1);
  if (domain.find('.') == std::string_view::npos) return false;
  std::size_t run = 0;
  for (char c : domain) {
    if (c == '.') {
      if (run == 0) return false;
      run = 0;
    } else if (isWordByte(c)) {
      ++run;
    } else {
      return false;
    }
  }
  return run > 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = quillon::fuzz::bytesOf(data, size);

  const std::string link = quillon::parsers::FindLink(text);
  if (!link.empty()) {
    FUZZ_CHECK(link.size() >= 6);
    FUZZ_CHECK(text.find(link) != std::string_view::npos);
    FUZZ_CHECK(link.find('.') != std::string::npos);
  }
  FUZZ_CHECK(quillon::parsers::FindLink(text) == link);

  const std::string email = quillon::parsers::FindEmail(text);
  if (!email.empty()) {
    FUZZ_CHECK(looksLikeEmail(email));
    // The match is the leftmost and longest one: the bytes around it could not extend it.
    const std::size_t at = text.find(email);
    FUZZ_CHECK(at != std::string_view::npos);
    FUZZ_CHECK(at == 0 || !(isWordByte(text[at - 1]) || text[at - 1] == '.'));
    const std::size_t end = at + email.size();
    FUZZ_CHECK(end == text.size() || !isWordByte(text[end]));
  } else {
    // The simplest address shape, x@y.z, is always found.
    for (std::size_t i = 1; i + 3 < text.size(); ++i) {
      if (text[i] == '@' && isWordByte(text[i - 1]) && isWordByte(text[i + 1]) &&
          text[i + 2] == '.' && isWordByte(text[i + 3])) {
        quillon::fuzz::fail("a plain address x@y.z is found", __FILE__, __LINE__);
      }
    }
  }
  return 0;
}
