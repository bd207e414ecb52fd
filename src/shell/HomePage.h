#pragma once

#include <QString>

// The addresses the window opens: the home page file and the four directories' home pages.

namespace quillon::shell {

inline constexpr char16_t kSpanishHome[] = u"http://www.paginasamarillas.es/";
inline constexpr char16_t kItalianHome[] = u"http://www.paginegialle.it/";
inline constexpr char16_t kAustralianHome[] = u"http://www.yellowpages.com.au/";
inline constexpr char16_t kCanadianHome[] = u"http://www.yellowpages.ca/";

// The home page file's name.
inline constexpr char kHomePageFileName[] = "Quillon.htm";

// The home page file's path for an executable in applicationDir: "Quillon.htm" beside it
// when it is there (a build folder), else the installed one in the data folder next to the
// executables' folder (<bindir>/../share/quillon); when neither exists, the path beside it.
QString homePageFilePath(const QString& applicationDir);

// homePageFilePath() for the running executable.
QString homePageFilePath();

// The address under which the browser opens a local file (a file: URL).
QString fileAddress(const QString& path);

}  // namespace quillon::shell
