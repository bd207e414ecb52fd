#include "capture/PageWalker.h"

#include "capture/CaptureError.h"
#include "capture/ClassTables.h"
#include "text/Cp1252.h"

namespace quillon::capture {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kSeparator = "+-+";
constexpr std::string_view kPhonePrefix = "Tel\351fono: ";  // "Teléfono: " in cp1252
constexpr std::u16string_view kTfno = u"tfno=";
constexpr std::size_t kPhoneLength = 11;

// The 11 characters that follow the first "tfno=" or, when there is none, those from the
// fifth character of the markup on; fewer where the markup ends sooner.
std::u16string_view phoneFromTfno(std::u16string_view outer) {
  const std::size_t found = outer.find(kTfno);
  const std::size_t oneBased = found == std::u16string_view::npos ? 0 : found + 1;
  const std::size_t start = oneBased + kTfno.size() - 1;
  if (start >= outer.size()) return {};
  return outer.substr(start, kPhoneLength);
}

// Converting only the new line is the same as re-converting the whole page text on
// every append: every cp1252 byte survives the round trip, and a line never splits a
// character. It keeps the walk linear in the size of the page.
void appendLine(std::string& pageText, const ClassEntry& entry, const HtmlElement& element) {
  switch (entry.kind) {
    case LineKind::RecordStart:
      pageText += kSeparator;
      [[fallthrough]];
    case LineKind::Ordinary:
      pageText += text::utf16ToCp1252(entry.name);
      pageText += ": ";
      pageText += text::utf16ToCp1252(element.innerText());
      break;
    case LineKind::RecordStartHtml:
      pageText += kSeparator;
      pageText += ": ";
      pageText += text::utf16ToCp1252(element.innerHTML());
      break;
    case LineKind::PhoneFromTfno:
      pageText += kPhonePrefix;
      pageText += text::utf16ToCp1252(phoneFromTfno(element.outerHTML()));
      break;
    case LineKind::UrlHtml:
      pageText += "URL: ";
      pageText += text::utf16ToCp1252(element.innerHTML());
      break;
  }
  pageText += kCrLf;
}

void walk(parsers::Site site, const HtmlDocument* document, std::string& pageText,
          ProgressIndicator* progress) {
  pageText.clear();
  if (document == nullptr || !document->isHtmlDocument()) {
    throw CaptureError(kInvalidHtmlDocument);
  }
  if (!document->hasBody()) throw CaptureError(kNoBodyElement);

  const HtmlElementCollection& elements = document->bodyElements();
  const std::int32_t length = elements.length();
  if (progress != nullptr) progress->setMax(length);
  const auto table = classTable(site);
  for (std::int32_t i = 0; i < length; ++i) {
    if (progress != nullptr) progress->setPosition(i);
    const HtmlElement* element = elements.item(i);
    if (element == nullptr) continue;
    const std::u16string_view cls = element->className();
    for (const ClassEntry& entry : table) {
      if (cls == entry.name) appendLine(pageText, entry, *element);
    }
  }
}

}  // namespace

void GetElementByIdAmarillas(const HtmlDocument* document, std::string& pageText,
                             ProgressIndicator& progress) {
  walk(parsers::Site::ES, document, pageText, &progress);
}

void GetElementByIdGialle(const HtmlDocument* document, std::string& pageText,
                          ProgressIndicator& progress) {
  walk(parsers::Site::IT, document, pageText, &progress);
}

void GetElementByIdYPca(const HtmlDocument* document, std::string& pageText) {
  walk(parsers::Site::CA, document, pageText, nullptr);
}

void GetElementByIdYPau(const HtmlDocument* document, std::string& pageText) {
  walk(parsers::Site::AU, document, pageText, nullptr);
}

void walkPage(parsers::Site site, const HtmlDocument* document, std::string& pageText,
              ProgressIndicator& progress) {
  switch (site) {
    case parsers::Site::ES:
      GetElementByIdAmarillas(document, pageText, progress);
      break;
    case parsers::Site::IT:
      GetElementByIdGialle(document, pageText, progress);
      break;
    case parsers::Site::CA:
      GetElementByIdYPca(document, pageText);
      break;
    case parsers::Site::AU:
      GetElementByIdYPau(document, pageText);
      break;
  }
}

}  // namespace quillon::capture
