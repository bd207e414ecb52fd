#include "parsers/YellowPagesCAEntry.h"

#include "parsers/EnglishEntryFields.h"
#include "parsers/ExtractionRule.h"
#include "parsers/Finders.h"
#include "parsers/OwnListingText.h"

#include <exception>
#include <utility>
#include <vector>

namespace quillon::parsers {
namespace {

using E = TYellowPagescaentry;
using R = ExtractionRule<E>;
constexpr auto kAll = ReplaceMode::AllOccurrences;

// Steps 1 to 8 of the Canadian rule set, in order. The address line has the form
// "address: STREET , LOCALITY , PROVINCE POSTAL-CODE".
const std::vector<R>& canadianRules() {
  static const std::vector<R> rules = {
      R{cp1252Pattern(R"(ingTitle: ([!-ÿ\d' ]+))"), {{{1, &E::Name}}}, 0, "<NAME>", kAll},
      R{cp1252Pattern("FAX\r\n"
                      R"(hiLiteThis: (\d\d\d\-\d\d\d\-\d\d\d\d))"),
        {{{1, &E::Fax}}},
        0,
        "<FAX>",
        kAll},
      R{cp1252Pattern(R"(phoneNumber: ?(\d\d\d\-\d\d\d\-\d\d\d\d))"),
        {{{1, &E::Phone}}},
        0,
        "<PHONE>",
        kAll},
      R{cp1252Pattern(R"(Category : ([!-ÿ ]+))"), {{{1, &E::Products}}}, 0, "<PRODUCTS>", kAll},
      R{cp1252Pattern(R"(Keyword : ([!-ÿ ]+))"), {{{1, &E::Keywords}}}, 0, "<KEYWORDS>", kAll},
      R{cp1252Pattern(R"([A-Z][A-Z] [A-Z]\d[A-Z] ?\d[A-Z]\d)"), {{{0, &E::Zip}}}, 0, "<ZIP>", kAll},
      R{cp1252Pattern(R"(, ([A-ÿ\d'\- ]+) , \<ZIP\>)"), {{{1, &E::City}}}, 0, "<CITY>", kAll},
      R{cp1252Pattern(R"(address: (.+) \<CITY\>)"), {{{1, &E::Street}}}, 0, "<STREET>", kAll},
  };
  return rules;
}

}  // namespace

const std::array<EntryField<E>, 11> E::Fields = englishEntryFields<E>();

TYellowPagescaentry::TYellowPagescaentry(std::u16string block) : Text(std::move(block)) {}

void TYellowPagescaentry::Execute() {
  WorkingText text(Text);
  std::exception_ptr failure;
  try {
    RegExpr engine;
    applyRules<E>(engine, text, *this, canadianRules());
  } catch (...) {
    // The closing finder steps run whatever happened above; the error passes on after.
    failure = std::current_exception();
  }
  const std::string url = FindLink(ownListingText(text.bytes()));
  Url = text::cp1252ToUtf16(url);
  const std::string email = FindEmail(ownListingText(text.bytes()));
  Email = text::cp1252ToUtf16(email);
  text.replace(url, "<URL>", kAll);
  text.replace(email, "<@MAIL>", kAll);
  text.commit();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace quillon::parsers
