#include "capture/ClassTables.h"

#include <array>

namespace quillon::capture {
namespace {

using enum LineKind;

constexpr std::array<ClassEntry, 9> kAmarillas = {{
    {u"activ", Ordinary},
    {u"vcard rest ig", Ordinary},
    {u"iframefunc", PhoneFromTfno},
    {u"adr", Ordinary},
    {u"tel", Ordinary},
    {u"locality", Ordinary},
    {u"postal-code", Ordinary},
    {u"org", RecordStart},
    {u"url", Ordinary},
}};

constexpr std::array<ClassEntry, 10> kGialle = {{
    {u"locality", Ordinary},
    {u"vcard clearfix", RecordStartHtml},
    {u"org orange", Ordinary},
    {u"postal-code", Ordinary},
    {u"region", Ordinary},
    {u"street-address", Ordinary},
    {u"tel", Ordinary},
    {u"client-category", Ordinary},
    {u"ico-rfq", Ordinary},
    {u"org", Ordinary},
}};

constexpr std::array<ClassEntry, 9> kYPca = {{
    {u"listingTitle", RecordStart},
    {u"vcard rest ig", Ordinary},
    {u"address", Ordinary},
    {u"par", Ordinary},
    {u"phoneNumber", Ordinary},
    {u"locality", Ordinary},
    {u"listingLink", Ordinary},
    {u"categoryList", Ordinary},
    {u"hiLiteThis", Ordinary},
}};

constexpr std::array<ClassEntry, 4> kYPau = {{
    {u"listingName", RecordStart},
    {u"address", Ordinary},
    {u"phoneNumber", Ordinary},
    {u"primaryListingLinks", UrlHtml},
}};

}  // namespace

std::span<const ClassEntry> classTable(parsers::Site site) {
  switch (site) {
    case parsers::Site::ES:
      return kAmarillas;
    case parsers::Site::IT:
      return kGialle;
    case parsers::Site::CA:
      return kYPca;
    case parsers::Site::AU:
      return kYPau;
  }
  return {};
}

}  // namespace quillon::capture
