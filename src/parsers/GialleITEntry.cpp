#include "parsers/GialleITEntry.h"

#include "parsers/ExtractionRule.h"
#include "parsers/Finders.h"

#include <utility>
#include <vector>

namespace quillon::parsers {
namespace {

using E = TGialleITEntry;
using R = ExtractionRule<E>;
constexpr auto kAll = ReplaceMode::AllOccurrences;

// The directory's host: listing links carry it in their "url=" parameter, and the
// listing's own page address is built on it.
constexpr std::string_view kHost = "www.paginegialle.it";

std::string hostPattern() {
  std::string escaped;
  for (char c : kHost) {
    if (c == '.') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

// ".+" runs across line ends to the last quote and ">" of the block; the cut below
// brings the address back to the text before the first one.
const std::string& urlPattern() {
  static const std::string pattern = "url=" + hostPattern() + R"(\/(.+)\">)";
  return pattern;
}

const std::string& baseAddress() {
  static const std::string base = "http://" + std::string(kHost) + "/";
  return base;
}

// Steps 4 to 11 of the Italian rule set, in order.
const std::vector<R>& italianRules() {
  static const std::vector<R> rules = {
      R{cp1252Pattern(R"((org|range): ([A-ÿ' \.\&\d]+))"), {{{2, &E::Name}}}, 0, "<NAME>", kAll},
      R{cp1252Pattern(R"(fax: ?(\d{2,7} \d{3,11}))"), {{{1, &E::Fax}}}, 0, "<FAX>", kAll},
      R{cp1252Pattern(R"(tel: (\d{2,7} \d{3,11}))"), {{{1, &E::Phone}}}, 0, "<PHONE>", kAll},
      R{cp1252Pattern(R"(Categoria: ([a-zA-Z\s]+) )"),
        {{{1, &E::Products}}},
        0,
        "<PRODUCTS>",
        kAll},
      R{cp1252Pattern(R"(postal-code: (\d\d\d\d\d))"), {{{1, &E::Zip}}}, 1, "<ZIP>", kAll},
      R{cp1252Pattern(R"(locality: ([A-ÿ\d,?\-? ]+))"), {{{1, &E::City}}}, 1, "<CITY>", kAll},
      R{cp1252Pattern(R"(street-address: ([A-ÿ\/\d\(\) \-,\.\#]+))"),
        {{{1, &E::Street}}},
        0,
        "<STREET>",
        kAll},
      R{cp1252Pattern(R"(region: \(([A-ÿ ]+)\))"), {{{1, &E::Province}}}, 0, "<PROVINCE>", kAll},
  };
  return rules;
}

}  // namespace

const std::array<EntryField<E>, 11> E::Fields = {{
    {"Text", &E::Text},
    {"Name", &E::Name},
    {"Street", &E::Street},
    {"Zip", &E::Zip},
    {"City", &E::City},
    {"Phone", &E::Phone},
    {"Products", &E::Products},
    {"Fax", &E::Fax},
    {"Url", &E::Url},
    {"Email", &E::Email},
    {"Province", &E::Province},
}};

TGialleITEntry::TGialleITEntry(std::u16string block) : Text(std::move(block)) {}

void TGialleITEntry::Execute() {
  WorkingText text(Text);
  RegExpr engine(urlPattern());
  std::string url;
  if (engine.exec(text.bytes())) url = baseAddress() + std::string(engine.match(1));
  // Drop the first ">" together with the quote in front of it, and all after it.
  if (const auto p = url.find('>'); p != std::string::npos) url.resize(p > 0 ? p - 1 : 0);
  Url = text::cp1252ToUtf16(url);
  text.replace(url, "<URL>", kAll);

  applyRules<E>(engine, text, *this, italianRules());
  Email = text::cp1252ToUtf16(FindEmail(text.bytes()));
  text.commit();
}

}  // namespace quillon::parsers
