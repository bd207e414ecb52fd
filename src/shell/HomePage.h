#pragma once

#include <QString>

// The addresses the window opens: the home page file beside the executable and the
// four directories' home pages.

namespace quillon::shell {

inline constexpr char16_t kSpanishHome[] = u"http://www.paginasamarillas.es/";
inline constexpr char16_t kItalianHome[] = u"http://www.paginegialle.it/";
inline constexpr char16_t kAustralianHome[] = u"http://www.yellowpages.com.au/";
inline constexpr char16_t kCanadianHome[] = u"http://www.yellowpages.ca/";

// The home page file's name.
inline constexpr char kHomePageFileName[] = "Quillon.htm";

// The home page file's path: the executable's folder, a separator, "Quillon.htm".
QString homePageFilePath();

// The address under which the browser opens a local file (a file: URL).
QString fileAddress(const QString& path);

}  // namespace quillon::shell
