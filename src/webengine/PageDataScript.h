#pragma once

#include <string>

namespace quillon::webengine {

// The script that collects what the schema.org reader needs from the rendered document in one
// evaluation (JSON-LD texts, microdata elements, a and link elements) and returns it as the
// JSON text that structured::decodePageData reads. It only reads the DOM, so it runs in an
// isolated world where page scripts cannot change the built-ins it uses. It gathers exactly
// what structured::readHtmlPage gathers from a fetched page.
std::u16string pageDataScript();

}  // namespace quillon::webengine
