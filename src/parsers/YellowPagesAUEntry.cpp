#include "parsers/YellowPagesAUEntry.h"

#include "parsers/EnglishEntryFields.h"
#include "parsers/ExtractionRule.h"
#include "parsers/Finders.h"

#include <utility>
#include <vector>

namespace quillon::parsers {
namespace {

using E = TYellowPagesAUentry;
using R = ExtractionRule<E>;
constexpr auto kAll = ReplaceMode::AllOccurrences;
constexpr auto kFirst = ReplaceMode::FirstOccurrence;
constexpr int kNoReplacement = -1;

// Steps 1 to 9 of the Australian rule set, in order. Once the name is replaced, its
// capitals and words can no longer pass for the postal code or the locality.
const std::vector<R>& australianRules() {
  static const std::vector<R> rules = {
      R{cp1252Pattern(R"(ngName: ([!-ÿ\d' ]+))"), {{{1, &E::Name}}}, 1, "<NAME>", kFirst},
      R{cp1252Pattern(R"(ph: ([\(\) \d]+))"), {{{1, &E::Phone}}}, 0, "<PHONE>", kAll},
      R{cp1252Pattern(R"((\(\d\d\d\) \d\d\d\ \d\d\d\d) \(fax\) )"),
        {{{1, &E::Fax}}},
        0,
        "<FAX>",
        kAll},
      R{cp1252Pattern(R"(Category : ([!-ÿ ]+))"), {{{1, &E::Products}}}, 0, "<PRODUCTS>", kAll},
      R{cp1252Pattern(R"(Keyword : ([!-ÿ ]+))"), {{{1, &E::Keywords}}}, 0, "<KEYWORDS>", kAll},
      R{cp1252Pattern(R"([A-Z][A-Z][A-Z]? \d\d\d\d)"), {{{0, &E::Zip}}}, 0, "<ZIP>", kFirst},
      R{cp1252Pattern(R"(( Lane| Ave |treet | Rd | St | )([A-ÿ\d]+) \<ZIP\>)"),
        {{{2, &E::City}}},
        2,
        "<CITY>",
        kFirst},
      R{cp1252Pattern(R"(address: (.+) \<CITY\>)"), {{{1, &E::Street}}}, 0, "<STREET>", kAll},
      R{cp1252Pattern(R"(webSite=http%3A%2F%2F([a-z\.]+)&amp;)"),
        {{{1, &E::Url}}},
        kNoReplacement,
        "",
        kAll},
  };
  return rules;
}

}  // namespace

const std::array<EntryField<E>, 11> E::Fields = englishEntryFields<E>();

TYellowPagesAUentry::TYellowPagesAUentry(std::u16string block) : Text(std::move(block)) {}

void TYellowPagesAUentry::Execute() {
  WorkingText text(Text);
  RegExpr engine;
  applyRules<E>(engine, text, *this, australianRules());
  Email = text::cp1252ToUtf16(FindEmail(text.bytes()));
  text.replace(text::utf16ToCp1252(Url), "<URL>", kAll);
  text.commit();
}

}  // namespace quillon::parsers
