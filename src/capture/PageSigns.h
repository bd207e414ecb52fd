#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon::capture {

class HtmlDocument;

// What shows whether a page is a check for a person: its visible text and the sources of
// its frames and scripts (UTF-8, addresses absolute). Only pages without listings are
// asked, so the collect scripts gather them in the same evaluation and the core reads them
// only then.
struct PageSigns {
  std::string text;
  std::vector<std::string> frameSources;
  std::vector<std::string> scriptSources;
};

// The signs in the page data's JSON text ({"signs": {"text": "…", "frames": […],
// "scripts": […]}}, beside what the schema.org reader takes); none when it has none or
// is not JSON.
PageSigns pageDataSigns(std::string_view pageDataJson);
// The signs of a site profile's answer, whose "page" member is the page data's JSON text.
PageSigns profileAnswerSigns(std::string_view answerJson);
// The signs of a document snapshot: the body's text, and the addresses of its IFRAME and
// SCRIPT elements, which the snapshot carries where an anchor carries its link.
PageSigns documentSigns(const HtmlDocument* document);

}  // namespace quillon::capture
