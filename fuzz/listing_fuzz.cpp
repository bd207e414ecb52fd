// Each site's listing entry on arbitrary blocks and on mutations of real ones (the seed
// corpus holds blocks cut from the fixture pages). First byte: bits 0-1 the site, bit 2
// set reads the rest as UTF-16 code units instead of cp1252 bytes.

#include "FuzzSupport.h"
#include "parsers/AmarillasESEntry.h"
#include "parsers/GialleITEntry.h"
#include "parsers/ListingRow.h"
#include "parsers/OwnListingText.h"
#include "parsers/YellowPagesAUEntry.h"
#include "parsers/YellowPagesCAEntry.h"
#include "text/Cp1252.h"

#include <map>
#include <regex>

namespace {

using namespace quillon;

bool survivesCp1252(const std::u16string& field) {
  return text::cp1252ToUtf16(text::utf16ToCp1252(field)) == field;
}

// Empty, or the whole field matches the shape (ECMAScript syntax, ASCII only).
bool emptyOr(const std::u16string& field, const char* shape) {
  if (field.empty()) return true;
  static std::map<const char*, std::regex> compiled;
  auto it = compiled.find(shape);
  if (it == compiled.end()) it = compiled.emplace(shape, std::regex(shape)).first;
  return std::regex_match(text::utf16ToCp1252(field), it->second);
}

// Runs the entry twice over the block: no error, the same fields both times, and every
// field but Text made of characters that cp1252 holds.
template <class Entry>
Entry run(const std::u16string& block) {
  Entry entry(block);
  entry.Execute();
  Entry again(block);
  again.Execute();
  for (const auto& field : Entry::Fields) {
    FUZZ_CHECK(entry.*(field.member) == again.*(field.member));
    if (field.name != "Text") FUZZ_CHECK(survivesCp1252(entry.*(field.member)));
  }
  return entry;
}

void check(parsers::Site site, const std::u16string& block) {
  switch (site) {
    case parsers::Site::ES: {
      const auto e = run<parsers::TAmarillasESEntry>(block);
      FUZZ_CHECK(emptyOr(e.Phone, R"(\d{3} \d{3} \d{3})"));
      FUZZ_CHECK(emptyOr(e.Zip, R"(\d{5})"));
      FUZZ_CHECK(e.Url.empty() || e.Url.size() >= 6);
      // The web address and e-mail come from the listing's own lines, never from the next
      // listing's container after them.
      const std::string own(parsers::ownListingText(text::utf16ToCp1252(block)));
      FUZZ_CHECK(own.find(text::utf16ToCp1252(e.Url)) != std::string::npos);
      FUZZ_CHECK(own.find(text::utf16ToCp1252(e.Email)) != std::string::npos);
      break;
    }
    case parsers::Site::IT: {
      const auto e = run<parsers::TGialleITEntry>(block);
      FUZZ_CHECK(emptyOr(e.Phone, R"(\d{2,7} \d{3,11})"));
      FUZZ_CHECK(emptyOr(e.Fax, R"(\d{2,7} \d{3,11})"));
      FUZZ_CHECK(emptyOr(e.Zip, R"(\d{5})"));
      // The cut at the first ">" may take the base address's own "/" (a path that begins
      // with ">"), never more of it.
      FUZZ_CHECK(e.Url.empty() || e.Url.rfind(u"http://www.paginegialle.it", 0) == 0);
      FUZZ_CHECK(e.Url.find(u'>') == std::u16string::npos);
      break;
    }
    case parsers::Site::AU: {
      const auto e = run<parsers::TYellowPagesAUentry>(block);
      FUZZ_CHECK(emptyOr(e.Zip, R"([A-Z]{2,3} \d{4})"));
      FUZZ_CHECK(emptyOr(e.Url, R"([a-z.]+)"));
      FUZZ_CHECK(emptyOr(e.Phone, R"([() 0-9]+)"));
      break;
    }
    case parsers::Site::CA: {
      const auto e = run<parsers::TYellowPagescaentry>(block);
      FUZZ_CHECK(emptyOr(e.Phone, R"(\d{3}-\d{3}-\d{4})"));
      FUZZ_CHECK(emptyOr(e.Fax, R"(\d{3}-\d{3}-\d{4})"));
      FUZZ_CHECK(emptyOr(e.Zip, R"([A-Z]{2} [A-Z]\d[A-Z] ?\d[A-Z]\d)"));
      FUZZ_CHECK(e.Url.empty() || e.Url.size() >= 6);
      break;
    }
  }
  // The row the capture run takes is the entry's.
  const parsers::ListingRow row = parsers::parseListingBlock(site, block);
  FUZZ_CHECK(row.columns[2] == row.phone);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto site = static_cast<parsers::Site>(data[0] & 3);
  const std::string_view rest = fuzz::bytesOf(data + 1, size - 1);
  const std::u16string block = (data[0] & 4) != 0 ? fuzz::wideOf(rest) : text::cp1252ToUtf16(rest);
  check(site, block);
  return 0;
}
