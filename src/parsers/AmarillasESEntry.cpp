#include "parsers/AmarillasESEntry.h"

#include "parsers/ExtractionRule.h"
#include "parsers/Finders.h"
#include "parsers/OwnListingText.h"

#include <utility>
#include <vector>

namespace quillon::parsers {
namespace {

using E = TAmarillasESEntry;
using R = ExtractionRule<E>;
constexpr auto kAll = ReplaceMode::AllOccurrences;

// Steps 4 to 11 of the Spanish rule set, in order. Blocks begin just after the "o" of
// the "org" line, hence "rg: ". The postal code and locality rules replace only their
// value, so the same value inside the "adr: " line becomes a placeholder too, which the
// street and province rules then anchor on.
const std::vector<R>& spanishRules() {
  static const std::vector<R> rules = {
      R{cp1252Pattern(R"(rg: ([A-ÿ \.\d]+))"), {{{1, &E::Name}}}, 0, "<NAME>", kAll},
      R{cp1252Pattern(R"(activ: ([A-ÿ ]+):? ?/? ([A-ÿ \d,?€?]+)?)"),
        {{{1, &E::Activity}, {2, &E::Activity2}}},
        0,
        "<ACTIVITIES>",
        kAll},
      R{cp1252Pattern(R"(Teléfono: (\d\d\d\ \d\d\d\ \d\d\d))"),
        {{{1, &E::Phone}}},
        0,
        "<PHONE>",
        kAll},
      R{cp1252Pattern(R"((Products|Services): ([a-zA-Z\s]+) )"),
        {{{2, &E::Activity}}},
        0,
        "<PRODUCTS>",
        kAll},
      R{cp1252Pattern(R"(postal-code: (\d\d\d\d\d))"), {{{1, &E::Zip}}}, 1, "<ZIP>", kAll},
      R{cp1252Pattern(R"(locality: ([A-ÿ\d,?\-? ]+))"), {{{1, &E::City}}}, 1, "<CITY>", kAll},
      R{cp1252Pattern(R"(adr: ([A-ÿ\/\d\(\) \-,\.\#]+))"),
        {{{1, &E::Street}}},
        0,
        "<STREET>",
        kAll},
      R{cp1252Pattern(R"(\<ZIP\> \<CITY\> \(([A-ÿ \/?]+)\))"),
        {{{1, &E::Province}}},
        0,
        "<PROVINCE>",
        kAll},
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
    {"Activity", &E::Activity},
    {"Activity2", &E::Activity2},
    {"Url", &E::Url},
    {"Email", &E::Email},
    {"Province", &E::Province},
}};

TAmarillasESEntry::TAmarillasESEntry(std::u16string block) : Text(std::move(block)) {}

void TAmarillasESEntry::Execute() {
  WorkingText text(Text);
  const std::string url = FindLink(ownListingText(text.bytes()));
  Url = text::cp1252ToUtf16(url);
  Email = text::cp1252ToUtf16(FindEmail(ownListingText(text.bytes())));
  text.replace(url, "<URL>", kAll);

  RegExpr engine;
  applyRules<E>(engine, text, *this, spanishRules());
  text.commit();
}

}  // namespace quillon::parsers
