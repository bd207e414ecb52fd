#pragma once

#include "fields/Kinds.h"
#include "structured/PageData.h"

#include <string>

// What the field kinds need to know of a page read for its schema.org data: its country and
// the directory's own hosts.

namespace quillon::structured {

// The address of the page's first link whose rel holds "canonical"; empty without one.
std::string canonicalUrl(const PageData& page);

// The hosts of the directory the page belongs to: the page's own, its canonical link's, and
// those of its rel=alternate links (the same page in another language or for phones).
fields::DirectoryHosts directoryHosts(const PageData& page);

// The page's country (its address, canonical link and language) and directoryHosts.
fields::PageContext pageContextOf(const PageData& page);

}  // namespace quillon::structured
