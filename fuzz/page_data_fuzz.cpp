// The page data that the collect script returns: anything else is refused with a
// StructuredDataError; what decodes encodes back to the same text's data, and its reading,
// listings and next page keep their properties.

#include "FuzzSupport.h"
#include "StructuredChecks.h"
#include "structured/StructuredDataError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillon;
  structured::PageData page;
  try {
    page = structured::decodePageData(fuzz::bytesOf(data, size));
  } catch (const structured::StructuredDataError&) {
    return 0;
  }
  for (std::size_t i = 0; i < page.microdata.size(); ++i) {
    FUZZ_CHECK(page.microdata[i].parent >= -1 && page.microdata[i].parent < static_cast<int>(i));
  }
  FUZZ_CHECK(structured::decodePageData(structured::encodePageData(page)) == page);
  fuzz::checkExtraction(page);
  fuzz::checkNextPage(page);
  return 0;
}
