// The JSON-LD reader and the mapping to listings: any block text is read or skipped with a
// warning, never more than once per block, and every listing has a name and clean columns.
// The input is cut into blocks at each NUL byte (at most four).

#include "FuzzSupport.h"
#include "StructuredChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillon;
  std::string_view rest = fuzz::bytesOf(data, size);
  structured::PageData page;
  page.url = "https://guia.example/buscar/p1";
  while (page.jsonLd.size() < 3) {
    const std::size_t cut = rest.find('\0');
    if (cut == std::string_view::npos) break;
    page.jsonLd.emplace_back(rest.substr(0, cut));
    rest.remove_prefix(cut + 1);
  }
  page.jsonLd.emplace_back(rest);
  fuzz::checkExtraction(page);
  return 0;
}
