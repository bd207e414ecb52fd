// The field kinds on arbitrary text: random bytes, mixed scripts, and (on request of the
// input) the text repeated or widened with very long digit runs. Every recogniser ends
// quickly and raises nothing; every span lies inside the text on character boundaries; a
// telephone has six digits or more, an e-mail is what the e-mail finder gives back whole,
// a website's host is ASCII; and on valid UTF-8 the pattern of each address part extracts
// what splitAddress finds.

#include "FuzzSupport.h"
#include "fields/AddressSplit.h"
#include "fields/Country.h"
#include "fields/DirectoryHosts.h"
#include "fields/Email.h"
#include "fields/KindPatterns.h"
#include "fields/Kinds.h"
#include "fields/Telephone.h"
#include "parsers/Finders.h"
#include "parsers/RegExpr.h"
#include "structured/StructuredText.h"

#include <array>
#include <string>

namespace {

using namespace quillon::fields;

constexpr std::array<std::string_view, 14> kCountries = {"",   "ES", "IT", "FR", "DE", "MX", "US",
                                                         "AU", "CA", "GB", "NL", "PL", "GR", "AT"};

bool onBoundary(std::string_view text, std::size_t pos) {
  return pos == 0 || pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0u) != 0x80u;
}

void checkSpan(std::string_view text, Span span, bool valid) {
  FUZZ_CHECK(span.begin <= span.end || span.empty());
  FUZZ_CHECK(span.empty() || span.end <= text.size());
  if (valid && !span.empty()) {
    FUZZ_CHECK(onBoundary(text, span.begin) && onBoundary(text, span.end));
  }
}

// The text the input asks for: as it is, repeated, or with its digits made long runs.
std::string widened(std::uint8_t mode, std::string_view text) {
  std::string out;
  switch (mode % 4) {
    case 1:
      while (!text.empty() && out.size() < 16384) out.append(text);
      break;
    case 2:
      for (const char c : text) {
        if (out.size() > 65536) break;
        if (c >= '0' && c <= '9') {
          out.append(std::size_t{2000}, c);
        } else {
          out += c;
        }
      }
      break;
    default:
      out = text;
  }
  return out;
}

std::string cut(const std::string& pattern, const std::string& text) {
  if (pattern.empty()) return "";
  quillon::parsers::RegExpr expression(pattern, quillon::parsers::RegExpr::Syntax::Utf8);
  return expression.exec(text) ? std::string(expression.match(1)) : "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillon::fuzz::ByteReader reader(quillon::fuzz::bytesOf(data, size));
  const std::string_view country = kCountries[reader.below(kCountries.size())];
  const std::uint8_t mode = reader.byte();
  const std::string_view pageUrl = reader.text(40);
  const std::string text = widened(mode, reader.rest());
  const bool valid = quillon::structured::isValidUtf8(text);

  if (const auto phone = telephoneIn(text, country)) {
    checkSpan(text, phone->span, valid);
    FUZZ_CHECK(countDigits(phone->number) >= 6);
  }
  if (isTelephone(text, country)) FUZZ_CHECK(countDigits(text) >= 6);

  if (const auto email = emailIn(text)) {
    checkSpan(text, email->span, valid);
    // FindEmail's own match, with at most a name part it cuts ("jo+") before it.
    const std::string found = quillon::parsers::FindEmail(email->address);
    FUZZ_CHECK(!found.empty() && email->address.ends_with(found));
    FUZZ_CHECK(email->address.find('@') != std::string::npos);
  }

  const AddressParts parts = splitAddress(text, country);
  for (const Span span : {parts.street, parts.postalCode, parts.locality, parts.province}) {
    checkSpan(text, span, valid);
  }
  if (valid && !parts.shape.empty()) {
    FUZZ_CHECK(cut(patternFor(Part::Street, parts.shape), text) == parts.street.in(text));
    FUZZ_CHECK(cut(patternFor(Part::PostalCode, parts.shape), text) == parts.postalCode.in(text));
    FUZZ_CHECK(cut(patternFor(Part::Locality, parts.shape), text) == parts.locality.in(text));
    FUZZ_CHECK(cut(patternFor(Part::Province, parts.shape), text) == parts.province.in(text));
  }

  const PageContext page{std::string(country), DirectoryHosts(pageUrl)};
  const KindSet kinds = kindsOf(text, page);
  if (kinds.has(Kind::Telephone)) FUZZ_CHECK(countDigits(text) >= 6);
  if (kinds.has(Kind::Email)) FUZZ_CHECK(text.find('@') != std::string::npos);
  if (kinds.has(Kind::Web)) {
    const std::string host = webAddressHost(text);
    FUZZ_CHECK(!host.empty() && !page.directory.contains(host));
  }
  looksLikeName(text);

  const std::string found = pageCountry({.pageUrl = pageUrl, .language = text.substr(0, 32)});
  FUZZ_CHECK(found.empty() || (found.size() == 2 && found[0] >= 'A' && found[0] <= 'Z'));
  return 0;
}
