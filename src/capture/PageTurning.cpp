#include "capture/PageTurning.h"

#include "capture/CaptureError.h"
#include "capture/Pause2.h"
#include "text/Cp1252.h"

#include <string>

namespace quillon::capture {
namespace {

constexpr std::string_view kPhoneLinkText = "Tel\351fono";  // "Teléfono" in cp1252
constexpr std::u16string_view kAnchorTag = u"A";

std::shared_ptr<const HtmlDocument> htmlDocument(Browser& browser) {
  auto document = browser.Document();
  if (document == nullptr || !document->isHtmlDocument()) throw CaptureError(kNoHtmlDocument2);
  return document;
}

}  // namespace

bool TurnPage(Browser& browser, std::string_view linkText) {
  bool followed = false;
  const auto document = htmlDocument(browser);
  const std::u16string wideLinkText = text::cp1252ToUtf16(linkText);
  const HtmlElementCollection& all = document->all();
  const std::int32_t count = all.length();
  for (std::int32_t i = 0; i < count; ++i) {
    const HtmlElement* element = all.item(i);
    if (element == nullptr || element->tagName() != kAnchorTag) continue;
    if (text::utf16ToCp1252(element->innerText()) == linkText) continue;
    if (element->id() == wideLinkText) continue;
    if (element->innerHTML().find(wideLinkText) == std::u16string_view::npos) continue;
    // Copied first: a navigation may change the document that holds the text.
    const std::u16string href(element->href());
    browser.Navigate(href);
    followed = true;
  }
  return followed;
}

void TogglePhones(Browser& browser, const DownloadBusyFlag& downloadBusy,
                  ProgressIndicator& progress, MessagePump& pump,
                  std::chrono::milliseconds downloadLimit) {
  auto document = htmlDocument(browser);
  progress.setMax(document->all().length() - 1);
  const std::int32_t count = document->all().length();
  for (std::int32_t i = 0; i < count; ++i) {
    progress.setPosition(i);
    const HtmlElement* element = document ? document->all().item(i) : nullptr;
    if (element == nullptr || element->tagName() != kAnchorTag) continue;
    if (text::utf16ToCp1252(element->innerText()) != kPhoneLinkText) continue;
    const std::u16string href(element->href());
    browser.Navigate(href);
    const auto waitEnd = std::chrono::steady_clock::now() + downloadLimit;
    do {
      pump.processPendingMessages();
    } while (downloadBusy.isSet() && std::chrono::steady_clock::now() < waitEnd);
    Pause2(500, pump);
    // Messages were dispatched: the page may have changed, so the following elements
    // are read from the document as it is now.
    document = browser.Document();
    if (document != nullptr && !document->isHtmlDocument()) document = nullptr;
  }
}

}  // namespace quillon::capture
