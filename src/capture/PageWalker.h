#pragma once

#include "capture/HtmlDocument.h"
#include "capture/ProgressIndicator.h"
#include "parsers/Site.h"

#include <string>

// The page walkers: each reads the elements inside the document's body in document
// order and writes one cp1252 line (ended by CR LF) per element whose class attribute
// equals a name of its site's class table; the line of a listing's first element is
// opened by "+-+". The page text is cleared first. Errors: "Invalid HTML document"
// when the document is absent or not HTML, "Can't find <body> element" without a body.

namespace quillon::capture {

// Spanish directory; drives the progress indicator.
void GetElementByIdAmarillas(const HtmlDocument* document, std::string& pageText,
                             ProgressIndicator& progress);
// Italian directory; drives the progress indicator.
void GetElementByIdGialle(const HtmlDocument* document, std::string& pageText,
                          ProgressIndicator& progress);
// Canadian directory.
void GetElementByIdYPca(const HtmlDocument* document, std::string& pageText);
// Australian directory.
void GetElementByIdYPau(const HtmlDocument* document, std::string& pageText);

// The walker of the given site (the progress indicator is left alone for CA and AU).
void walkPage(parsers::Site site, const HtmlDocument* document, std::string& pageText,
              ProgressIndicator& progress);

}  // namespace quillon::capture
