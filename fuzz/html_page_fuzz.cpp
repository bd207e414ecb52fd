// The reader of fetched pages (gumbo): any bytes give page data in the collect script's
// format, or a StructuredDataError for markup nested too deeply; the data survives the
// format and its reading keeps its properties.

#include "FuzzSupport.h"
#include "StructuredChecks.h"
#include "structured/HtmlPageReader.h"
#include "structured/StructuredDataError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillon;
  structured::PageData page;
  try {
    page = structured::readHtmlPage(fuzz::bytesOf(data, size), "https://guia.example/a/p1.html");
  } catch (const structured::StructuredDataError&) {
    return 0;
  }
  for (std::size_t i = 0; i < page.microdata.size(); ++i) {
    FUZZ_CHECK(page.microdata[i].parent < static_cast<int>(i));
  }
  FUZZ_CHECK(structured::decodePageData(structured::encodePageData(page)) == page);
  fuzz::checkExtraction(page);
  fuzz::checkNextPage(page);
  return 0;
}
