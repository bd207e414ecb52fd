#pragma once

#include <QString>

namespace quillon::shell {

// The window title whenever the window is idle: the program's name and version.
QString idleTitle();
// While a capture run goes (small p).
QString busyTitle();
// While the browser downloads (capital P).
QString downloadTitle();

}  // namespace quillon::shell
