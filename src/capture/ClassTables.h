#pragma once

#include "parsers/Site.h"

#include <span>
#include <string_view>

namespace quillon::capture {

// What a walker writes for an element of a listed class.
enum class LineKind {
  Ordinary,         // class name, ": ", innerText
  RecordStart,      // "+-+" and the ordinary line
  RecordStartHtml,  // "+-+: " and innerHTML (Italian listing block)
  PhoneFromTfno,    // "Teléfono: " and 11 characters after "tfno=" in outerHTML
  UrlHtml,          // "URL: " and innerHTML (Australian links block)
};

struct ClassEntry {
  std::u16string_view name;
  LineKind kind;
};

// The class table of a site's walker, in table order.
std::span<const ClassEntry> classTable(parsers::Site site);

}  // namespace quillon::capture
