// The decoding of the browser's document snapshot: malformed data is refused with a
// CaptureError and nothing else; a snapshot that decodes is a consistent document that
// the four page walkers and the page turner can read. First byte: bit 0 set reads the
// rest as UTF-16 code units, clear widens each byte (so the digits and separators of the
// format are easy to reach).

#include "FuzzSupport.h"
#include "capture/Browser.h"
#include "capture/CaptureError.h"
#include "capture/DomSnapshot.h"
#include "capture/PageTurning.h"
#include "capture/PageWalker.h"
#include "support/FakeBrowser.h"

#include <memory>

namespace {

using namespace quillon;

// Reads one text of an element; a text the snapshot did not take is a CaptureError.
template <class Read>
void readText(Read read) {
  try {
    const std::u16string_view text = read();
    static_cast<void>(text.size());
  } catch (const capture::CaptureError&) {
  }
}

void checkCollection(const capture::HtmlElementCollection& elements) {
  const std::int32_t length = elements.length();
  FUZZ_CHECK(length >= 0);
  FUZZ_CHECK(elements.item(-1) == nullptr && elements.item(length) == nullptr);
  for (std::int32_t i = 0; i < length; ++i) {
    const capture::HtmlElement* element = elements.item(i);
    FUZZ_CHECK(element != nullptr);
    // Every element carries its tag, class and id.
    static_cast<void>(element->tagName().size() + element->className().size() +
                      element->id().size());
    readText([&] { return element->innerText(); });
    readText([&] { return element->innerHTML(); });
    readText([&] { return element->outerHTML(); });
    readText([&] { return element->href(); });
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view rest = fuzz::bytesOf(data + 1, size - 1);
  std::u16string wide;
  if ((data[0] & 1) != 0) {
    wide = fuzz::wideOf(rest);
  } else {
    for (const char c : rest) wide.push_back(static_cast<unsigned char>(c));
  }

  std::shared_ptr<const capture::DomSnapshot> snapshot;
  try {
    snapshot = capture::DomSnapshot::parse(std::move(wide));
  } catch (const capture::CaptureError&) {
    return 0;
  }
  checkCollection(snapshot->all());
  checkCollection(snapshot->bodyElements());
  FUZZ_CHECK(snapshot->bodyElements().length() <= snapshot->all().length());
  if (!snapshot->hasBody()) FUZZ_CHECK(snapshot->bodyElements().length() == 0);

  capture::PlainProgressIndicator progress;
  for (const auto site :
       {parsers::Site::ES, parsers::Site::IT, parsers::Site::AU, parsers::Site::CA}) {
    std::string pageText;
    try {
      capture::walkPage(site, snapshot.get(), pageText, progress);
    } catch (const capture::CaptureError&) {
    }
  }
  testing::FakeBrowser browser;
  browser.shownDocument = snapshot;
  try {
    const bool followed = capture::TurnPage(browser, "Siguiente");
    FUZZ_CHECK(followed == !browser.navigations.empty());
  } catch (const capture::CaptureError&) {
  }
  return 0;
}
